// The program's lists of places it owns: the displayed cities (the user's selection, filled
// from the saved selection) and the distance points of "Compute Distance". Each is a PtrList
// of Place* owned through the list: deletePlaces frees them. Drawing them is the overlay's.
#pragma once

#include <cstdint>

#include "base/ptr_list.h"

namespace geo {

extern PtrList gDisplayedCities;  // owned Places of kind 3, in the user's order
extern PtrList gDistancePoints;   // owned Places, in the order they were tapped

// Deletes every Place a list holds and empties it.
void deletePlaces(PtrList* list);

// Appends a distance point at (lat, lon), arc minutes: a Place of kind 3 at that position,
// snapped to a nearby place when there is one. False (nothing added) when memory runs out.
bool addDistancePoint(int32_t lat, int32_t lon);

// Deletes every distance point.
void clearDistancePoints();

}  // namespace geo
