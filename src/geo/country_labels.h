// The displayed countries: one label Place (kind 1) per named country of the city database,
// shown while "Show all countries" is on. The list owns its Places; drawing them is the
// overlay pass's business.
#pragma once

#include "base/ptr_list.h"
#include "geo/city_db.h"

namespace geo {

extern PtrList gDisplayedCountries;  // owned Places of kind 1, in country index order

// Whether country `index` of `db` has a label position. The builder writes 0°N 0°E, open sea,
// for a country it found no place for (no city in its table and none in zone.tab); such an
// entry has no city in the file either, and is not labelled.
bool hasLabelPosition(const CityDatabase& db, int index);

// Empties the displayed countries and appends a label for every country of `db` with a name
// and a label position, at that position. False when memory runs out (the labels made so far
// stay).
bool displayAllCountries(const CityDatabase& db);

}  // namespace geo
