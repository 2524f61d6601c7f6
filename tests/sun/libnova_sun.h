// The sun from libnova for the tests that check the almanac, the shading and the sun times
// against it: its position referred to the equinox of date and the apparent sidereal time,
// and the elevation they give anywhere by plain spherical trigonometry. Test code only.
#pragma once

#include <libnova/julian_day.h>
#include <libnova/precession.h>
#include <libnova/sidereal_time.h>
#include <libnova/solar.h>

#include <cmath>

struct NovaSun {
    double dec, ra, gast;  // declination, right ascension, Greenwich sidereal time; degrees
};

inline double novaJulianDay(int year, int month, int day, int hour, int minute) {
    ln_date date{year, month, day, hour, minute, 0.0};
    return ln_get_julian_day(&date);
}

// libnova refers the sun to the J2000 equinox; without the precession to the date (50" a
// year, 0.4° by 2027) the declination is a tenth of a degree off, which moves rise and set
// by minutes near the polar circles.
inline NovaSun novaSun(double jd) {
    ln_equ_posn j2000, ofDate;
    ln_get_solar_equ_coords(jd, &j2000);
    ln_get_equ_prec2(&j2000, 2451545.0, jd, &ofDate);
    return {ofDate.dec, ofDate.ra, ln_get_apparent_sidereal_time(jd) * 15};
}

// The elevation of the sun's centre in degrees at `lat`, `lon` (degrees, east positive).
inline double novaElevation(const NovaSun& sun, double lat, double lon) {
    const double k = M_PI / 180, hourAngle = (sun.gast + lon - sun.ra) * k;
    return std::asin(std::sin(lat * k) * std::sin(sun.dec * k) +
                     std::cos(lat * k) * std::cos(sun.dec * k) * std::cos(hourAngle)) /
           k;
}
