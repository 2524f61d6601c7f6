// Screen to Earth: which latitude and longitude lie under a screen pixel in either view, and
// the nearest point of the globe's disc or the map band to a pixel outside it. Table
// arithmetic throughout, so picks agree with what the renderers drew.
#pragma once

#include <cstdint>

// The position under screen pixel (x, y) in the current view, as angle units: latitude
// −16384 .. 16384 (negative = north; latFromUnits converts), longitude 0 .. 65536 (32768 =
// Greenwich; lonFromUnits converts). False (outputs untouched) when the pixel is off the
// globe or off the map band, or there is no map in the planar view. Needs the trigonometric
// and column tables.
bool screenToViewAngles(int32_t x, int32_t y, int32_t* latUnits, int32_t* lonUnits);

// Whether (x, y) lies inside the globe's disc (spherical) or the map band (planar); when it
// does not, (*nearX, *nearY) is the nearest point on the disc's rim or band's edge. When it
// does, they are (x, y).
bool clampToView(int32_t x, int32_t y, int32_t* nearX, int32_t* nearY);
