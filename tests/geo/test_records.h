// Test helper: writes cities.bin bytes field by field (independently of the builder), so the
// tests can make small, exact and deliberately damaged databases.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace geotest {

struct CityFields {
    std::u16string name;
    uint8_t country = 255;
    int16_t latitude = 0, longitude = 0;  // arc minutes
    int16_t tzOffset = 0;                 // minutes
    uint16_t words[4] = {0, 0, 0, 0};     // start time, start rule, end time, end rule
};

class FileBytes {
  public:
    FileBytes() : bytes(25616, 0) {}
    void country(int index, const std::u16string& name, int16_t lat, int16_t lon) {
        size_t at = 16 + 100 * size_t(index);
        put(at, uint16_t(lat));
        put(at + 2, uint16_t(lon));
        for (size_t i = 0; i < name.size(); ++i) put(at + 4 + 2 * i, name[i]);
    }
    // Appends a record; returns its offset.
    size_t city(const CityFields& c) {
        size_t at = bytes.size();
        size_t length = 18 + 2 * (c.name.size() + 1);
        bytes.resize(at + length, 0);
        put(at, uint16_t(length));
        bytes[at + 3] = c.country;
        put(at + 4, uint16_t(c.latitude));
        put(at + 6, uint16_t(c.longitude));
        put(at + 8, uint16_t(c.tzOffset));
        for (int k = 0; k < 4; ++k) put(at + 10 + 2 * k, c.words[k]);
        for (size_t i = 0; i < c.name.size(); ++i) put(at + 18 + 2 * i, c.name[i]);
        return at;
    }
    void end() { bytes.resize(bytes.size() + 2, 0); }
    void put(size_t at, uint16_t v) {
        bytes[at] = uint8_t(v & 255);
        bytes[at + 1] = uint8_t(v >> 8);
    }
    std::vector<uint8_t> bytes;
};

}  // namespace geotest
