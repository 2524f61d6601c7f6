// Zooming: the zoom keys in both views (sphere radius and planar height with their limits),
// zooming to a rectangle dragged on the screen, and the zoom-selection mode that asks for
// one. Every change sets the redraw flag; radius changes rebuild the column tables.
#pragma once

#include <cstdint>

// The next drag on the view outlines a zoom rectangle (command 2008).
inline bool gZoomSelection = false;

// The zoom keys: Enter, Up, Right, Down, Left.
enum class ZoomKey { Reset, StepIn, NudgeIn, StepOut, NudgeOut };

// Largest sphere radius the zoom reaches: trunc(2 × main map height / π) pixels.
int32_t maxSphereRadius();

// One zoom key in the current view. Sphere: Reset → radius 118; StepIn/NudgeIn +20/+4 while
// below maxSphereRadius(); StepOut/NudgeOut −20/−4 while above 40. Flat map: Reset → height
// = screen height; StepIn → screen height, then the map's own; NudgeIn +20 (nothing at the
// map's own height); StepOut → screen height, then 120; NudgeOut −20 (nothing at 120 or
// below). True when a zoom step was applied.
bool zoomView(ZoomKey key);

// Zooms so that the rectangle between press (x1, y1) and release (x2, y2) fills the screen,
// centred on its middle. False (view unchanged) when a coordinate is negative or, on the
// sphere, either corner is off the globe.
bool zoomToRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
