// The stylus on the main window: the toolkit's widgets and the command panel get it first;
// what they leave is a gesture on the view (turn the globe, pan the map, zoom rectangle,
// distance points, snapping). Moving the view itself, and edge scrolling, are view/pan.h's.
#pragma once

void stylusDown(int x, int y);
void stylusMove(int x, int y);
void stylusUp(int x, int y);
