// The globe: an orthographic picture of the working texture (already shaded for day and
// night) filling the back buffer, with the grid, the equator, the meridians and the dashed
// tropic and polar circles drawn as texel colours. Labels and routes come afterwards.
#pragma once

// Draws the whole screen in the spherical view: the background colour everywhere and the
// disc of gView.radius pixels around the screen centre over it (cut, not scaled, at the
// screen's edges). Clears the redraw flag. Without a texture: the background and the
// pending map-set message only.
void renderSphere();
