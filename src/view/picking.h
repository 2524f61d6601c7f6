// Screen to Earth: which latitude and longitude lie under a screen pixel in either view, and
// the nearest point of the globe's disc or the map band to a pixel outside it. The globe's
// pixels are inverted by the same function the renderer builds its disc with, so picks agree
// with what was drawn.
#pragma once

#include <cstdint>

// The position under screen pixel (x, y) in the current view, as angle units: latitude
// −16384 .. 16384 (negative = north; latFromUnits converts), longitude 0 .. 65536 (32768 =
// Greenwich; lonFromUnits converts). False (outputs untouched) when the pixel is off the
// globe or off the map band, or there is no map in the planar view. Needs the column tables.
bool screenToViewAngles(int32_t x, int32_t y, int32_t* latUnits, int32_t* lonUnits);

// The globe's inverse orthographic projection for one tilt (latitude angle) and radius.
struct DiscInversion {
    double radius, sinTilt, cosTilt;
};
DiscInversion discInversion(int32_t latAngle, int32_t radius);

// The place under the disc pixel (dx, dy) from the globe's centre (right and down positive),
// rounded to the nearest angle unit: its latitude units (negative = north) and its longitude
// relative to the view's longitude angle, −16384 .. 49152 (the centre column reads 16384,
// the view centre lying a quarter turn east of the angle). Worked out in doubles: taking the
// longitude from the arcsine of its cosine, as fixed point would, loses it near the centre
// column, where the cosine is flat. A pixel beyond the rim counts as on it.
void invertDiscPixel(const DiscInversion& view, int32_t dx, int32_t dy, int32_t* latUnits,
                     int32_t* lonOffset);

// Whether (x, y) lies inside the globe's disc (spherical) or the map band (planar); when it
// does not, (*nearX, *nearY) is the nearest point on the disc's rim or band's edge. When it
// does, they are (x, y).
bool clampToView(int32_t x, int32_t y, int32_t* nearX, int32_t* nearY);
