// Country labels from the database's country table. Entries without a name (the unused
// slots of the 256) get no label: they would draw nothing anyway.
#include "geo/country_labels.h"

#include <new>

#include "geo/place_lists.h"

namespace geo {

PtrList gDisplayedCountries;

bool displayAllCountries(const CityDatabase& db) {
    deletePlaces(&gDisplayedCountries);
    for (int i = 0; i < kCountryCount; ++i) {
        const CountryEntry* entry = db.countryEntry(i);
        if (entry == nullptr) return true;  // nothing open
        if (countryEntryName(entry)[0] == 0) continue;
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
