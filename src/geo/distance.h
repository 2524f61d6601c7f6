// Distances along the Earth's surface: the great-circle arc drawn between two positions in
// either view, the polyline through a list of places (distance points or a route) with its
// distance and time-difference lines, and the distance in the chosen units. The polyline's
// places are drawn with drawPlace; where the points come from is the caller's business.
#pragma once

#include <cstdint>

#include "base/ptr_list.h"
#include "geo/place.h"

namespace geo {

// Earth radius factors: the central angle in radians times these gives the distance.
constexpr double kKilometresPerRadian = 6378.0;
constexpr double kMilesPerRadian = 6378.0 / 1.609344;      // statute miles, 3963.19
constexpr double kNauticalPerRadian = 3437.7467707849396;  // 10800/π: a mile per arc minute

// The central angle `radians` in the DistanceUnits `units` (kUnitsKm, kUnitsMiles,
// kUnitsNautical; anything else counts as kilometres), truncated toward zero.
int32_t distanceInUnits(double radians, int32_t units);

// Draws the great-circle arc from (lat1, lon1) to (lat2, lon2), radians, as straight pieces
// between points interpolated along it ("Spherical Arc Smoothing" or "Planar Arc Smoothing"
// pieces by the view), in `colour` with the line `style` (0 solid, n > 0 dashes of n pixels).
// On the globe a piece is drawn only between two visible points, so the arc stops at the
// limb. On the flat map every piece is drawn, clipped to the screen, and a piece crossing
// the ±180° meridian is drawn the short way as two pieces, each leaving its edge of the map.
// Returns the central angle, 0 .. π; 0 and nothing drawn when `style` is negative or the
// ends coincide.
double greatCircleSegment(double lat1, double lon1, double lat2, double lon2, uint16_t colour,
                          int32_t style);

// Draws the polyline through `places` (a list of Place*; route places are stored through
// their Place base) and on to `extra` when given: the arcs in `colour` and `style`, then each
// place with a white marker whose centre is blue for a negative style, red for the last
// place, green for the others, labels in "Displayed City Color". Unless `style` is negative
// it writes, at x = 0 and *textY in `colour`, advancing *textY by 12 pixels a line,
// "Distance: %d km" (or mi, nm by "Distance Units") and, when both ends are named and
// neither is a route place, "Time Difference: %c%02d:%02d", the last end's local time minus
// the first's at the current UTC time. Nothing at all for an empty list.
void drawPlacePolyline(const PtrList& places, const Place* extra, uint16_t colour, int32_t style,
                       int32_t* textY);

}  // namespace geo
