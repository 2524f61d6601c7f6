// Snapping a position under the stylus onto a place: first a displayed city or distance point
// within the snap radius, then the nearest city of the database within it. The snap point,
// the one Place that describes the position under the stylus for the life of the program,
// lives here.
// Longitude differences are taken the short way round, so snapping works across ±180°.
#pragma once

#include <cstdint>

#include "geo/place.h"

namespace geo {

// The position under the stylus: kind 3 when it snapped to a known place, 2 when it did not,
// 0 when there is nothing to show.
extern Place gSnapPoint;

// A picked position in view angle units (latitude −16384 .. 16384, negative north; longitude
// 0 .. 65536, 32768 at Greenwich) as arc minutes, each truncated toward zero: latitude
// −5400 .. 5400 north positive, longitude −10800 .. 10800 east positive.
void pickedPositionToArcMinutes(int32_t lonUnits, int32_t latUnits, int16_t* lat, int16_t* lon);

// The position under screen pixel (x, y) in the current view, in arc minutes. False, and the
// outputs untouched, when the pixel is off the globe or the map.
bool pickArcMinutes(int32_t x, int32_t y, int16_t* lat, int16_t* lon);

// Snaps (lat, lon), arc minutes, with radius r = "Snap Radius": with "Snap to nearest
// displayed point" on, the first displayed city, else the first distance point, in list
// order, closer than r (flat metric in arc minutes, longitude the short way round); with
// "Snap to nearest known point" on, then the nearest city within r. True and `out` filled
// from that place (its kind stays); false and `out` untouched when nothing is near.
bool snapPosition(int32_t lat, int32_t lon, Place* out);

// While the stylus is down on the map: unless a distance measurement is under way (then the
// snap point stays as it is), empties the snap point, picks the position under (x, y) and,
// when the pick succeeds, puts it there snapped (kind 3) or bare (kind 2).
void updateSnapPoint(int32_t x, int32_t y);

// Empties the snap point (kind 0, nothing else kept), as switching "Compute Distance" on does.
void clearSnapPoint();

}  // namespace geo
