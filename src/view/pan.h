// Moving the view by hand: a drag turns the globe or pans the flat map, and a stylus held
// near a screen edge scrolls it a step each 50 ms tick. Only the view state changes here; which
// stroke is a drag, and what the panel or a dialog takes first, the window's routing decides.
#pragma once

// Moves the view with a drag of (dx, dy) screen pixels: the globe turns the drag's way, the
// flat map follows it pixel for pixel.
void turnBy(int dx, int dy);

// One edge-scrolling step for the current tick, when the stylus is held within 10 pixels
// of an edge in plain mode; true when the view moved (the redraw flag is set then).
bool edgeScrollStep();
