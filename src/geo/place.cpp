// The three ways a Place is filled: from a city record, from another place, from a country.
#include "geo/place.h"

namespace geo {

void Place::fillFromRecord(const CityRecord* record) {
    flags = recordFlags(record);
    country = recordCountry(record);
    latitude = recordLatitude(record);
    longitude = recordLongitude(record);
    tzOffset = recordTzOffset(record);
    dstStartTime = recordDstStartTime(record);
    dstStartRule = recordDstStartRule(record);
    dstEndTime = recordDstEndTime(record);
    dstEndRule = recordDstEndRule(record);
    name = recordName(record);
}

void Place::fillFromPlace(const Place& other) {
    flags = other.flags;
    country = other.country;
    latitude = other.latitude;
    longitude = other.longitude;
    tzOffset = other.tzOffset;
    dstStartTime = other.dstStartTime;
    dstStartRule = other.dstStartRule;
    dstEndTime = other.dstEndTime;
    dstEndRule = other.dstEndRule;
    name = other.name;
}

void Place::fillFromCountry(const CountryEntry* entry) {
    kind = kPlaceCountry;
    latitude = countryLatitude(entry);
    longitude = countryLongitude(entry);
    name = countryEntryName(entry);
}

}  // namespace geo
