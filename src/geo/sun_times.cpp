// Glossary: T Julian centuries from J2000.0; L0 mean longitude; Ma mean anomaly; e orbital
// eccentricity; lambda apparent longitude; eps obliquity; EoT equation of time (minutes).
// The series is evaluated exactly as the almanac gives it, so that the times match the
// published calculators; polar day and night come out as sentinels, never as numbers.
#include "geo/sun_times.h"

#include <cmath>
#include <cstdio>

#include "geo/dst.h"
#include "geo/text16.h"

namespace geo {
namespace {

constexpr double kRad = 0.017453292519943295;
constexpr double kDeg = 57.29577951308232;
constexpr double kJ2000 = 2451545.0;
constexpr double kCenturiesPerDay = 2.7378507871321012e-5;

struct SolarDay {
    double eqTime;       // minutes
    double declination;  // degrees
};

SolarDay solarSeries(double t) {
    double l0 = 280.46646 + t * (36000.76983 + 0.0003032 * t);
    while (l0 > 360) l0 -= 360;
    while (l0 < 0) l0 += 360;
    double ma = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    double e = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    double q = std::sin(kRad * ma) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
               std::sin(2 * kRad * ma) * (0.019993 - 0.000101 * t) +
               std::sin(3 * kRad * ma) * 0.000289;
    double omega = kRad * (125.04 - 1934.136 * t);
    double lambda = l0 + q - 0.00569 - 0.00478 * std::sin(omega);
    double s = 21.448 - t * (46.815 + t * (0.00059 - t * 0.001813));
    double eps = 23 + (26 + s / 60) / 60 + 0.00256 * std::cos(omega);
    double decl = kDeg * std::asin(std::sin(kRad * eps) * std::sin(kRad * lambda));
    double y = std::tan(kRad * eps * 0.5);
    y *= y;
    double eq = y * std::sin(2 * kRad * l0) - 2 * e * std::sin(kRad * ma) +
                4 * e * y * std::sin(kRad * ma) * std::cos(2 * kRad * l0) -
                0.5 * y * y * std::sin(4 * kRad * l0) - 1.25 * e * e * std::sin(2 * kRad * ma);
    return SolarDay{kDeg * eq * 4, decl};
}

// Hour angle of sunrise in radians, or a sentinel.
double sunriseHourAngle(double lat, double decl) {
    double x = std::cos(1.5853349194640092) / (std::cos(kRad * lat) * std::cos(kRad * decl)) -
               std::tan(kRad * lat) * std::tan(kRad * decl);
    if (std::isnan(x)) x = lat * decl > 0 ? -2 : 2;  // only at a pole: sign of the season
    if (x < -1) return kNoSunset;
    if (x > 1) return kNoSunrise;
    return std::acos(x);
}

// One of the two events: `sign` -1 for sunrise, +1 for sunset.
double sunEvent(double jd, double lat, double lonWest, int sign) {
    SolarDay day = solarSeries((jd - kJ2000) * kCenturiesPerDay);
    double h = sunriseHourAngle(lat, day.declination);
    if (h <= kNoSunrise) return h;
    double u = 720 + 4 * (lonWest + sign * kDeg * h) - day.eqTime;
    double t = (jd + u * 0.0006944444444444445 - kJ2000) / 36525;
    day = solarSeries(t);
    h = sunriseHourAngle(lat, day.declination);
    if (h <= kNoSunrise) return h;
    return 720 + 4 * (lonWest + sign * kDeg * h) - day.eqTime;
}

std::string clockText(double minutes, int format) {
    int hour, minute;
    clockTime(minutes, &hour, &minute);
    char text[16];
    if (format == 2) {
        std::snprintf(text, sizeof text, "%02d%02d", hour, minute);
        return text;
    }
    const char* suffix = "";
    if (format == 0) {
        suffix = hour < 12 ? "am" : "pm";
        hour %= 12;
        if (hour == 0) hour = 12;
    }
    std::snprintf(text, sizeof text, "%02d:%02d %s", hour, minute, suffix);
    return text;
}

double clampUnit(double x) {
    return x > 1 ? 1 : (x < -1 ? -1 : x);
}

}  // namespace

double julianDay(int year, int month, int day) {
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    double a = std::floor(year * 0.01);
    double b = 2 - a + std::floor(a * 0.25);
    return std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day + b -
           1524.5;
}

void sunriseSunsetUtc(double jd, double lat, double lonWest, double* rise, double* set) {
    SolarDay day = solarSeries((jd - kJ2000) * kCenturiesPerDay);
    double h = sunriseHourAngle(lat, day.declination);
    if (h <= kNoSunrise) {
        *rise = *set = h;
        return;
    }
    *rise = sunEvent(jd, lat, lonWest, -1);
    *set = sunEvent(jd, lat, lonWest, +1);
}

void clockTime(double minutes, int* hour, int* minute) {
    double h = std::floor(minutes / 60);
    double mm = (minutes / 60 - h) * 60;
    double m = std::floor(mm);
    // The fraction of a minute comes back from two scalings; without the small allowance a
    // time of exactly 30 seconds computes as 29.999... and would round down.
    if (std::floor((mm - m) * 60 + 1e-6) >= 30) m += 1;
    if (m >= 60) {
        m -= 60;
        h += 1;
    }
    if (h > 23)
        h -= 24;
    else if (h < 0)
        h += 24;
    *hour = static_cast<int>(h);
    *minute = static_cast<int>(m);
}

std::u16string sunriseSunsetText(const platform::UtcTime& now, const Place& place, int format) {
    // "Today" is the place's own calendar day: the UTC date differs from it for hours every
    // day, and near the polar circles the sun times move by many minutes from day to day.
    LocalTime local = localTime(now, place);
    double rise, set;
    sunriseSunsetUtc(julianDay(local.year, local.month, local.day), place.latitude / 60.0,
                     -place.longitude / 60.0, &rise, &set);
    double sentinel = rise <= kNoSunrise ? rise : set;
    if (sentinel <= kNoSunrise) {
        return sentinel == kNoSunrise ? u"No sunrise today" : u"No sunset today";
    }
    double shift = place.tzOffset + (local.dstInForce ? 60 : 0);
    std::string riseText = clockText(rise + shift, format);
    std::string setText = clockText(set + shift, format);
    char text[80];
    std::snprintf(text, sizeof text, "sunrise: %s,  sunset : %s", riseText.c_str(),
                  setText.c_str());
    return widen(text);
}

double sunElevation(double lat, double lon, double declination, double hourAngle) {
    double h = hourAngle + lon;
    double s = std::cos(kRad * lat) * std::cos(kRad * declination) * std::cos(kRad * h) +
               std::sin(kRad * lat) * std::sin(kRad * declination);
    return kDeg * std::asin(clampUnit(s));
}

double sunAzimuth(double lat, double lon, double elevation, double declination, double hourAngle) {
    double divisor = std::cos(kRad * lat) * std::cos(kRad * elevation);
    if (std::fabs(divisor) < 1e-12) return 0;
    double s = (std::sin(kRad * declination) - std::sin(kRad * elevation) * std::sin(kRad * lat)) /
               divisor;
    double z0 = kDeg * (1.5707963267948966 - std::asin(clampUnit(s)));
    return std::sin(kRad * (hourAngle + lon)) > 0 ? 360 - z0 : z0;
}

}  // namespace geo
