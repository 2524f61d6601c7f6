// Sunrise and sunset from the solar-position series of the astronomical almanac (Julian
// centuries from J2000.0, one refinement step, altitude -0.833 degrees), the sun's elevation
// and azimuth at a place, and the sunrise/sunset sentence of the information lines.
// Degrees throughout unless a name says otherwise; positions east and north positive.
#pragma once

#include <string>

#include "geo/place.h"
#include "platform/clock.h"

namespace geo {

// Sentinels standing in for a time: the sun stays below the horizon all day / above it.
constexpr double kNoSunrise = -1e8;
constexpr double kNoSunset = -2e8;

// Julian Day of 0h UTC of a Gregorian calendar date.
double julianDay(int year, int month, int day);

// Sunrise and sunset of the day starting at Julian Day `jd`, in minutes after 0h UTC (may be
// negative or pass 1440), for latitude `lat` and longitude `lonWest` (positive WEST, as the
// almanac counts). Polar day or night gives the sentinels for both.
void sunriseSunsetUtc(double jd, double lat, double lonWest, double* rise, double* set);

// Minutes after midnight as a clock time, rounded to the nearest minute (30 seconds up) and
// wrapped once into 0..23 hours.
void clockTime(double minutes, int* hour, int* minute);

// "sunrise: 06:04 am,  sunset : 06:12 pm" at `place` for its local calendar date at the UTC
// time `now` (its time-zone rules, geo/dst.h), shown on its clock of that moment, in time
// format 0, 1 or 2; or "No sunrise today" / "No sunset today" for that date.
std::u16string sunriseSunsetText(const platform::UtcTime& now, const Place& place, int format);

// Elevation of the sun (-90..90) at a place, given its declination and Greenwich hour angle
// (those of the last shading update, gSun of texture/sun.h).
double sunElevation(double lat, double lon, double declination, double hourAngle);
// Azimuth (0..360, from north through east) for the elevation above. At the poles and with
// the sun at the zenith the direction is undefined and 0 is returned.
double sunAzimuth(double lat, double lon, double elevation, double declination, double hourAngle);

}  // namespace geo
