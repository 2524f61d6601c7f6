// The stylus on the main window: the toolkit's widgets and the command panel get it first;
// what they leave is a gesture on the view (turn the globe, pan the map, zoom rectangle,
// distance points, snapping) and, while held at a screen edge, scrolling.
#pragma once

#include <cstdint>

void stylusDown(int x, int y);
void stylusMove(int x, int y);
void stylusUp(int x, int y);

// One edge-scrolling step for the current frame, when the stylus is held within 10 pixels
// of an edge in plain mode; true when the view moved.
bool edgeScrollStep();
