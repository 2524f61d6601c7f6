// Composing a frame on a paint request: the scene (globe or flat map, redrawn only when the
// redraw flag asks), the command panel, the modal dialog, one step of the rotation, and the
// presentation. Layers that still move ask for the next frame at once.
#pragma once

// The frame of the normal view (WM_PAINT in the normal mode).
void composeFrame();

// The credits drawn over the splash on the about screen.
void drawAboutCredits();

// Frames composed since start (the driver's frame count).
unsigned framesComposed();
