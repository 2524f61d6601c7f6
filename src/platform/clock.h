// The program's two clocks: a monotonic millisecond tick count and the UTC wall clock.
// Both are real by default; the headless driver and tests switch them to a manual clock
// that only moves when told to, so that timers and the day/night shading are repeatable.
#pragma once

#include <cstdint>

namespace platform {

// A calendar instant in UTC, as the handheld's system time gave it.
struct UtcTime {
    int year;         // e.g. 2027
    int month;        // 1..12
    int day;          // 1..31
    int hour;         // 0..23
    int minute;       // 0..59
    int second;       // 0..59
    int millisecond;  // 0..999
    int dayOfWeek;    // 0 = Sunday .. 6 = Saturday
};

// Milliseconds since an arbitrary start; wraps after 49 days as the handheld's did.
uint32_t tickCount();

// Milliseconds since 1970-01-01T00:00:00Z.
int64_t utcMillis();

// The current UTC time, broken down.
UtcTime systemTimeUtc();

// Converts between milliseconds since 1970 and a broken-down UTC time (proleptic Gregorian).
UtcTime utcFromMillis(int64_t ms);
int64_t millisFromUtc(int year, int month, int day, int hour, int minute, int second);

// Parses "2027-03-20T12:00:00Z" (the trailing Z is required); false on anything else.
bool parseUtc(const char* text, int64_t* ms);

// Switches both clocks to manual mode: the tick count starts at `tick` and the UTC clock at
// `utcMs`; from then on both move only through advanceManualClock.
void useManualClock(uint32_t tick, int64_t utcMs);
// Sets the manual UTC clock without moving the tick count (manual mode only).
void setManualUtc(int64_t utcMs);
// Moves both manual clocks forward by `ms`.
void advanceManualClock(uint32_t ms);
bool manualClock();

}  // namespace platform
