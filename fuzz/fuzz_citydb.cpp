// Fuzz target for the cities.bin reader: any bytes are checked, indexed and searched, and
// every accepted record goes through the local-time, daylight-saving and sun-time code, so
// a damaged file can only be refused or cut, never read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "geo/city_db.h"
#include "geo/dst.h"
#include "geo/sun_times.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The mapping is page-aligned; a 2-byte aligned copy stands for it.
    std::vector<uint16_t> aligned((size + 1) / 2);
    if (size > 0) std::memcpy(aligned.data(), data, size);
    geo::CityDatabase db;
    if (!db.attach(reinterpret_cast<const uint8_t*>(aligned.data()), size)) return 0;
    db.buildIndexes();
    geo::RecordList found;
    db.prefixSearch(u"a", 50, &found);
    db.citiesOfCountry(0, 50, &found);
    geo::Place place;
    db.nearestCity(0, 0, 200, &place);
    db.countryIndexByName(u"France");
    platform::UtcTime now{2027, 3, 20, 12, 0, 0, 0, 6};
    int count = 0;
    for (const geo::CityRecord* r = db.firstRecord(); r && count < 200; r = db.nextRecord(r)) {
        place.fillFromRecord(r);
        std::u16string time, date, dst;
        geo::localDateTime(now, place, count % 3, &time, &date, &dst);
        geo::sunriseSunsetText(now, place, count % 3);
        ++count;
    }
    return 0;
}
