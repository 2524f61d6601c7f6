// The flat map: a window onto the equirectangular working texture, at the map's own size or
// resampled to the zoomed planar height, wrapping east-west, with the grid, the equator, the
// meridians and the dashed tropic and polar circles drawn over it as lines.
#pragma once

// Draws the whole screen in the planar view from gView's planar height, offsets and margin.
// Rows outside the map band show the background colour. Clears the redraw flag. Without a
// texture: the background and the pending map-set message only.
void renderPlanar();
