// The sun from libnova, an independent implementation of the same astronomy: its altitude
// and azimuth at an instant, and sunrise and sunset found as horizon crossings. Shared by the
// sun-time tests and the end-to-end panel tests; the position itself is the almanac tests'.
#pragma once

#include <libnova/transform.h>

#include <algorithm>
#include <cmath>

#include "../sun/libnova_sun.h"

// The sun's altitude and azimuth (degrees from north through east) at Julian Day `jd` for a
// place at (lat, lon), degrees east positive, from its position referred to the date.
inline void libnovaSun(double jd, double lat, double lon, double* altitude, double* azimuth) {
    const NovaSun sun = novaSun(jd);
    ln_equ_posn ofDate{sun.ra, sun.dec};
    ln_lnlat_posn observer{lon, lat};
    ln_hrz_posn horizon;
    ln_get_hrz_from_equ(&ofDate, &observer, jd, &horizon);
    *altitude = horizon.alt;
    *azimuth = std::fmod(horizon.az + 180, 360);  // libnova counts from the south
}

// Minutes after jd0 at which the altitude first passes -0.8333 degrees (refraction and the
// sun's radius) walking from `from` minutes in steps of `step`, or a sentinel.
inline double libnovaCrossing(double jd0, double lat, double lon, double from, double step) {
    auto above = [&](double m) {
        return novaElevation(novaSun(jd0 + m / 1440), lat, lon) > -0.8333;
    };
    for (double m = from; std::fabs(m - from) < 720; m += step) {
        if (above(m + step)) continue;
        double in = m, out = m + step;
        while (std::fabs(out - in) > 1e-3) {
            double mid = (in + out) / 2;
            (above(mid) ? in : out) = mid;
        }
        return in;
    }
    return 1e9;
}

// Sunrise and sunset of the date starting at Julian Day jd0, in minutes after its 0h UTC:
// the horizon crossings either side of the sun's transit, found from mean solar noon.
inline void libnovaDay(double jd0, double lat, double lon, double* rise, double* set) {
    double noon = 720 - 4 * lon;
    *rise = libnovaCrossing(jd0, lat, lon, noon, -5);
    *set = libnovaCrossing(jd0, lat, lon, noon, 5);
}

// Distance of two clock readings in minutes, across midnight.
inline double clockDistance(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 1440);
    return std::min(d, 1440 - d);
}
