// The byte layout of cities.bin, shared by the reader and the builder: a 16-byte header, a
// table of 256 country entries and a chain of variable-length city records. Every field is
// read byte by byte (little-endian), so no read depends on the alignment of the mapping.
// Nothing here checks a file; CityDatabase::open does that before any record is used.
#pragma once

#include <cstddef>
#include <cstdint>

namespace geo {

constexpr size_t kHeaderBytes = 16;
constexpr int kCountryCount = 256;
constexpr size_t kCountryEntryBytes = 100;
constexpr size_t kCountryNameOffset = 4;
constexpr size_t kCountryNameChars = 48;  // 47 characters and the terminating zero
constexpr size_t kFirstRecordOffset = kHeaderBytes + kCountryCount * kCountryEntryBytes;
constexpr size_t kRecordNameOffset = 18;
// A record's length is a positive int16 and even (names lie on 2-byte boundaries), so the
// longest name a record can hold, without its terminating zero, is 16,373 characters.
constexpr size_t kMaxRecordBytes = 32766;
constexpr size_t kMaxRecordNameChars = (kMaxRecordBytes - kRecordNameOffset) / 2 - 1;
constexpr uint8_t kNoCountry = 255;
constexpr uint8_t kRoutePlaceFlag = 0x10;  // set only on route places, never in the file

static_assert(kFirstRecordOffset == 25616);

// Opaque views of bytes inside the mapped file; only the accessors below read them.
struct CityRecord;
struct CountryEntry;

inline const uint8_t* bytesOf(const void* p) {
    return static_cast<const uint8_t*>(p);
}
inline uint16_t readU16(const void* p, size_t offset) {
    const uint8_t* b = bytesOf(p) + offset;
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}
inline int16_t readI16(const void* p, size_t offset) {
    return static_cast<int16_t>(readU16(p, offset));
}

// Record fields; `r` must point at a record the database has checked.
inline int16_t recordLength(const CityRecord* r) {
    return readI16(r, 0);
}  // bytes to the next
inline uint8_t recordFlags(const CityRecord* r) {
    return bytesOf(r)[2];
}
inline uint8_t recordCountry(const CityRecord* r) {
    return bytesOf(r)[3];
}
inline int16_t recordLatitude(const CityRecord* r) {
    return readI16(r, 4);
}  // arc minutes
inline int16_t recordLongitude(const CityRecord* r) {
    return readI16(r, 6);
}  // arc minutes
inline int16_t recordTzOffset(const CityRecord* r) {
    return readI16(r, 8);
}  // minutes east
inline uint16_t recordDstStartTime(const CityRecord* r) {
    return readU16(r, 10);
}
inline uint16_t recordDstStartRule(const CityRecord* r) {
    return readU16(r, 12);
}
inline uint16_t recordDstEndTime(const CityRecord* r) {
    return readU16(r, 14);
}
inline uint16_t recordDstEndRule(const CityRecord* r) {
    return readU16(r, 16);
}
// The name, UTF-16 in host order. Checked records have even lengths, so the name lies on a
// 2-byte boundary of the page-aligned mapping and can be read as char16_t in place.
inline const char16_t* recordName(const CityRecord* r) {
    return reinterpret_cast<const char16_t*>(bytesOf(r) + kRecordNameOffset);
}
// The record a name pointer belongs to (list widgets keep name pointers).
inline const CityRecord* recordFromName(const char16_t* name) {
    return reinterpret_cast<const CityRecord*>(reinterpret_cast<const uint8_t*>(name) -
                                               kRecordNameOffset);
}

// The label position; 0,0 on a country without cities marks none (see hasLabelPosition).
inline int16_t countryLatitude(const CountryEntry* c) {
    return readI16(c, 0);
}  // arc minutes
inline int16_t countryLongitude(const CountryEntry* c) {
    return readI16(c, 2);
}  // arc minutes
inline const char16_t* countryEntryName(const CountryEntry* c) {
    return reinterpret_cast<const char16_t*>(bytesOf(c) + kCountryNameOffset);
}

}  // namespace geo
