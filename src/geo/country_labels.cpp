// Country labels from the database's country table. Entries without a name (the unused
// slots of the 256) get no label: they would draw nothing anyway. Nor do entries the builder
// had no place for, which would all stand together at 0°N 0°E.
#include "geo/country_labels.h"

#include <new>

#include "geo/place_lists.h"

namespace geo {

PtrList gDisplayedCountries;

bool hasLabelPosition(const CityDatabase& db, int index) {
    const CountryEntry* entry = db.countryEntry(index);
    if (entry == nullptr) return false;
    if (countryLatitude(entry) != 0 || countryLongitude(entry) != 0) return true;
    RecordList cities;
    db.citiesOfCountry(static_cast<uint8_t>(index), 1, &cities);
    return !cities.empty();
}

bool displayAllCountries(const CityDatabase& db) {
    deletePlaces(&gDisplayedCountries);
    for (int i = 0; i < kCountryCount; ++i) {
        const CountryEntry* entry = db.countryEntry(i);
        if (entry == nullptr) return true;  // nothing open
        if (countryEntryName(entry)[0] == 0 || !hasLabelPosition(db, i)) continue;
        Place* label = new (std::nothrow) Place;
        if (label == nullptr) return false;
        label->fillFromCountry(entry);
        if (gDisplayedCountries.addTail(label) == nullptr) {
            delete label;
            return false;
        }
    }
    return true;
}

}  // namespace geo
