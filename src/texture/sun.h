// The sun's position from the UTC clock (a compact almanac formula in double precision) and
// the fixed-point shadow geometry the day/night shading evaluates per texture pixel: the
// sun's elevation at a latitude and longitude offset, the twilight threshold, the width of
// the soft transition and the night level. The trigonometric tables must be built first.
#pragma once

#include <cstdint>

// The sun's declination in degrees (north positive) at UTC `hours` (0 .. 24, fractional) of
// day 1-31, month 1-12 of a four-digit year.
double sunDeclination(int day, int month, int year, double hours);

// The equation of time in seconds (apparent minus mean solar time; positive when the sun
// crosses the Greenwich meridian before 12:00 UTC), for the same arguments.
double sunEquationOfTime(int day, int month, int year, double hours);

// The sun's Greenwich hour angle in degrees, 0 .. 360: 0 when it stands over the Greenwich
// meridian, growing westward (the sun is over longitude −G east).
double sunHourAngle(int day, int month, int year, double hours);

// The sun's direction for one texture build.
struct SunVector {
    int32_t sinDeclination;  // sin δ × 32768
    int32_t cosDeclination;  // cos δ × 32768
    int32_t hourAngle;       // Greenwich hour angle G, angle units 0 .. 65536
};

// The sun position of the last update, for the sun readouts (sunrise, elevation, azimuth).
struct SunPosition {
    double declination = 0;  // δ, degrees
    double hourAngle = 0;    // G, degrees 0 .. 360
};
inline SunPosition gSun;

// Reads the UTC clock, stores δ and G in gSun and returns the sun vector.
SunVector updateSunPosition();
// The same for an explicit instant, milliseconds since 1970-01-01T00:00:00Z.
SunVector updateSunPositionAt(int64_t utcMs);

// Per map row: the parts of the elevation that depend only on the latitude.
struct SunRow {
    int32_t a;  // sin φ × sin δ, × 32768
    int32_t b;  // cos φ × cos δ, × 32768
};
// The row terms for latitude `lat` in signed angle units (−16384 .. 16384, north positive).
SunRow sunRowTerms(int32_t lat, const SunVector& sun);
// The sun's elevation in a row at longitude offset `lonOffset` (signed angle units, east
// positive): −16384 .. 16384 angle units, positive in daylight, 0 on the terminator.
int32_t sunElevationInRow(const SunRow& row, int32_t lonOffset, const SunVector& sun);
// Both in one: the elevation at (lat, lonOffset), signed angle units.
int32_t sunElevationAt(int32_t lat, int32_t lonOffset, const SunVector& sun);

// The distinct twilight band's depth below the horizon for a "Twilight Type" value: 1092,
// 2184 or 3276 angle units for +1028, +1029, +1030; −1 (no band) for anything else.
int32_t twilightThreshold(int32_t twilightType);
// Half-width of the smooth day-night transition for "Earth Shadow Specularity" 0 .. 100:
// angle units, 16384 at 0, 1753 at 90, 128 at 100.
int32_t transitionHalfWidth(int32_t specularity);
// Night level out of 256 for "Earth Shadow Darkness" 0 .. 100: 128 at 0, 102 at 20, 0 at 100.
int32_t nightLevel(int32_t darkness);
