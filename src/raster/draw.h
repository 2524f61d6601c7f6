// The drawing primitives every part of the program uses on the back buffer: filled
// rectangles, solid and dashed lines, rectangle outlines and bevelled frames, in RGB565
// colours. Everything is clipped to the screen (gDisplay's width and height); nothing is
// written outside the back buffer, whatever the coordinates. Does nothing without a back buffer.
#pragma once

#include <cstdint>

// Sets columns max(x, 0) .. min(x + width, screen width) − 1 of rows max(y, 0) ..
// min(y + height, screen height) − 1; nothing when the rectangle misses the screen or is
// empty.
void fillRect(int x, int y, int width, int height, uint16_t colour);

// Bresenham line from (x0, y0) to (x1, y1), the pixels on the screen only. `dash` 0 (or
// below) draws every pixel; n > 0 skips n pixels after the start point, draws n, and so on;
// the start point is always set and the end point is set again for solid lines. Time is
// bounded by the part on the screen, so far-off or huge coordinates are cheap.
void drawLine(int x0, int y0, int x1, int y1, uint16_t colour, int dash);

// Four solid lines along the rectangle's edges: top, left, bottom, right.
void outlineRect(int x, int y, int width, int height, uint16_t colour);

// As outlineRect, with top and left in `light` and bottom and right in `dark`.
void bevelRect(int x, int y, int width, int height, uint16_t light, uint16_t dark);
