// The sun's declination, equation of time and Greenwich hour angle from a compact almanac
// formula, and the fixed-point elevation used per texture pixel by the day/night shading.
// The odd degree-to-radian factors of the declination series are part of the formula.
#include "texture/sun.h"

#include <algorithm>
#include <cmath>

#include "platform/clock.h"
#include "view/angles.h"
#include "view/tables.h"

namespace {

// Days since a fixed epoch, in the formula's own integer calendar.
int64_t dayNumber(int day, int month, int year) {
    int64_t n = 365LL * year + 31LL * month + day - 46;
    if (month < 3) return n + (year - 1) / 4;
    return n + static_cast<int64_t>(0.25 * year) - static_cast<int64_t>(0.4 * month + 2.3);
}

double utcHours(const platform::UtcTime& t) {
    return t.hour + t.minute * 0.016666666666666666 + t.second * 0.0002777777777777778;
}

}  // namespace

double sunDeclination(int day, int month, int year, double hours) {
    double q = (dayNumber(day, month, year) - 693960) * 0.0006844626967830253;
    double k = std::trunc(q);
    double m = (q - k) * 1440.02509 + k * 0.0307572 + hours * 0.04106935416666667 + 356.6498973;
    double m1 = m + 1.91233 * std::sin(m * 0.017452987087324196);
    double l = (m1 + 0.02 * std::sin(m1 * 0.03490597417464839) + 282.55462) * 0.002777777777777778;
    double eclipticLon = (l - std::trunc(l)) * 360;
    double t = (year - 2000) * 0.01;
    double obliquity =
        23.43929111 - ((0.00059 - 0.001813 * t) * t + 46.815) * t * 0.0002777777777777778;
    double s =
        std::sin(obliquity * 0.017453292519943295) * std::sin(eclipticLon * 0.017453292519943295);
    return std::atan(s / std::sqrt(1 - s * s)) * 57.29577951308232 + 0.00075;
}

double sunEquationOfTime(int day, int month, int year, double hours) {
    double f = hours * 0.041666666666666664;
    double l =
        ((dayNumber(day, month, year) + f - 722449) * 0.98564734 + 279.306) * 0.017453292519943295;
    return 595.63 * std::sin(2 * l) - 429.266 * std::cos(l) - 104.55 * std::sin(l) -
           2.283 * std::cos(2 * l) + 18.7333 * std::cos(3 * l) + 4.6 * std::sin(3 * l) -
           13.2 * std::sin(4 * l) - std::cos(5 * l) - 0.3333333333333333 * std::sin(5 * l) +
           0.5 * std::sin(6 * l) + 0.231;
}

double sunHourAngle(int day, int month, int year, double hours) {
    double f = hours * 0.041666666666666664;
    double g = sunEquationOfTime(day, month, year, hours) * 0.004166666666666667 + (f + 0.5) * 360;
    return g > 360 ? g - 360 : g;
}

SunVector updateSunPositionAt(int64_t utcMs) {
    platform::UtcTime t = platform::utcFromMillis(utcMs);
    double hours = utcHours(t);
    gSun.declination = sunDeclination(t.day, t.month, t.year, hours);
    gSun.hourAngle = sunHourAngle(t.day, t.month, t.year, hours);
    int32_t a = truncToInt(gSun.declination * kUnitsPerDegree);
    if (a < 0) a += kTurn;
    return SunVector{fixedSin(a), fixedCos(a), truncToInt(gSun.hourAngle * kUnitsPerDegree)};
}

SunVector updateSunPosition() {
    return updateSunPositionAt(platform::utcMillis());
}

SunRow sunRowTerms(int32_t lat, const SunVector& sun) {
    int32_t a = lat < 0 ? lat + kTurn : lat;
    return SunRow{fixedSin(a) * sun.sinDeclination / kUnitScale,
                  fixedCos(a) * sun.cosDeclination / kUnitScale};
}

int32_t sunElevationInRow(const SunRow& row, int32_t lonOffset, const SunVector& sun) {
    int32_t h = wrapAngle(int64_t{sun.hourAngle} + lonOffset);
    int32_t s = row.a + fixedCos(h) * row.b / kUnitScale;
    int32_t e = fixedAsin(s + kUnitScale);
    return e > kQuarterTurn ? e - kTurn : e;
}

int32_t sunElevationAt(int32_t lat, int32_t lonOffset, const SunVector& sun) {
    return sunElevationInRow(sunRowTerms(lat, sun), lonOffset, sun);
}

int32_t twilightThreshold(int32_t twilightType) {
    switch (twilightType) {
        case 1028:
            return 1092;  // civil, 6°
        case 1029:
            return 2184;  // nautical, 12°
        case 1030:
            return 3276;  // astronomical, 18°
        default:
            return -1;
    }
}

int32_t transitionHalfWidth(int32_t specularity) {
    return (100 - std::clamp(specularity, 0, 100)) * 16256 / 100 + 128;
}

int32_t nightLevel(int32_t darkness) {
    return (100 - std::clamp(darkness, 0, 100)) * 128 / 100;
}
