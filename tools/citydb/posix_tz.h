// Reading a zone's POSIX rule string (the footer line of its TZif file) and turning it into
// the offset and daylight-saving words of cities.bin. Rules the words cannot hold exactly
// are converted as closely as they allow and described in a note, never dropped silently.
#pragma once

#include <cstdint>
#include <string>

namespace citydb {

// One transition of a POSIX rule: "Mm.w.d", "Jn" or "n", with its clock time.
struct PosixRule {
    char form = 'M';         // 'M' month/week/weekday, 'J' day 1..365 without 29 February,
                             // 'N' day 0..365 counting it
    int month = 0;           // 1..12 ('M')
    int week = 0;            // 1..5, 5 = last ('M')
    int weekday = 0;         // 0 = Sunday ('M')
    int day = 0;             // 'J' or 'N'
    int timeSeconds = 7200;  // local clock time of the change, may be negative or past 24 h
};

struct PosixZone {
    int stdOffsetSeconds = 0;  // east of UTC
    bool hasDst = false;
    int dstOffsetSeconds = 0;  // east of UTC
    PosixRule start, end;
};

// Parses a rule string such as "CET-1CEST,M3.5.0,M10.5.0/3"; false with `error` if malformed.
bool parsePosixTz(const std::string& text, PosixZone* zone, std::string* error);

// The POSIX rule string of a TZif file (version 2 or later), else false with `error`.
bool readZoneRule(const std::string& path, std::string* rule, std::string* error);

// The words stored in a city record for a zone.
struct ZoneWords {
    int16_t offsetMinutes = 0;  // standard time, east of UTC
    uint16_t startTime = 0, startRule = 0, endTime = 0, endRule = 0;
    std::string note;  // empty when the words reproduce the rule exactly
};

ZoneWords convertZone(const PosixZone& zone);

}  // namespace citydb
