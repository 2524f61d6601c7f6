// Place: the one small object for a city, a country label, a bare position or a route point,
// so that drawing, snapping and the information lines treat them alike. A Place never owns
// its name unless it is a route place (flag bit 4), which its own subclass handles.
#pragma once

#include <cstdint>

#include "geo/city_file.h"

namespace geo {

// Draw mask of a Place.
enum PlaceKind : int32_t {
    kPlaceLabel = 1,   // draw the name label
    kPlaceMarker = 2,  // draw the marker
    kPlaceCity = 3,
    kPlaceCountry = 1,
    kPlacePosition = 2,
};

class Place {
  public:
    Place() = default;
    virtual ~Place() = default;

    // Copies flags, country, position, offset, the daylight-saving words and the name
    // pointer from a checked record; the kind stays as it was.
    void fillFromRecord(const CityRecord* record);
    // Copies the same fields (name pointer included) from another place; kind stays.
    void fillFromPlace(const Place& other);
    // A country label: kind 1 at the entry's label position with the entry's name.
    void fillFromCountry(const CountryEntry* entry);

    int32_t kind = kPlaceCity;
    const char16_t* name = nullptr;  // not owned; null for a bare position
    uint8_t flags = 0;               // record flags; kRoutePlaceFlag for route places
    uint8_t country = kNoCountry;    // country index, 255 none
    int16_t tzOffset = 0;            // minutes east of UTC (standard time)
    int16_t latitude = 0;            // arc minutes, north positive
    int16_t longitude = 0;           // arc minutes, east positive
    uint16_t dstStartTime = 0;       // DstTime word
    uint16_t dstStartRule = 0;       // DstRule word, 0 = no daylight saving
    uint16_t dstEndTime = 0;
    uint16_t dstEndRule = 0;
};

}  // namespace geo
