// Sunrise and sunset against libnova's rise/set search (an independent implementation) for
// cities across latitudes and seasons, on the local date and in each time format; polar day
// and night, the rounding to clock minutes, and the elevation/azimuth seams.
#include "geo/sun_times.h"

#include <gtest/gtest.h>
#include <libnova/julian_day.h>
#include <libnova/solar.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "geo/dst.h"
#include "geo/text16.h"
#include "libnova_sun.h"
#include "platform/clock.h"
#include "posix_tz.h"

namespace {

struct SunCase {
    const char* where;
    double lat, lon;                     // degrees, east positive
    const char* zone;                    // the place's time-zone rule
    int year, month, day, hour, minute;  // on the local clock
    int clockOffset;                     // minutes east of UTC the local clock shows then
};

geo::Place placeAt(const SunCase& c) {
    citydb::PosixZone posix;
    std::string error;
    EXPECT_TRUE(citydb::parsePosixTz(c.zone, &posix, &error)) << error;
    citydb::ZoneWords w = citydb::convertZone(posix);
    geo::Place p;
    p.latitude = int16_t(std::lround(c.lat * 60));
    p.longitude = int16_t(std::lround(c.lon * 60));
    p.tzOffset = w.offsetMinutes;
    p.dstStartTime = w.startTime;
    p.dstStartRule = w.startRule;
    p.dstEndTime = w.endTime;
    p.dstEndRule = w.endRule;
    return p;
}

// The sentence's times against libnova's horizon crossings on the local calendar date, shown
// on the local clock. The almanac series with one refinement step and the rounding to the
// minute keep within a minute and a half of them, even near the polar circles.
TEST(SunTimes, MatchLibnovaOnTheLocalDate) {
    const char* eu = "CET-1CEST,M3.5.0,M10.5.0/3";
    const char* mountain = "MST7MDT,M3.2.0,M11.1.0";
    const SunCase cases[] = {
        {"Paris equinox", 48.85, 2.35, "UTC0", 2027, 3, 20, 12, 0, 0},
        {"Paris summer", 48.85, 2.35, "UTC0", 2027, 6, 21, 12, 0, 0},
        {"Quito", -0.22, -78.5, "UTC0", 2027, 9, 23, 12, 0, 0},
        {"Sydney winter", -33.87, 151.21, "UTC0", 2027, 6, 21, 12, 0, 0},
        {"New York", 40.71, -74.0, "UTC0", 2026, 11, 1, 12, 0, 0},
        {"Reykjavik June", 64.15, -21.94, "UTC0", 2027, 6, 1, 12, 0, 0},
        {"Tromso March", 69.65, 18.96, "UTC0", 2027, 3, 1, 12, 0, 0},
        {"Cape Town", -33.92, 18.42, "UTC0", 2028, 2, 29, 12, 0, 0},
        {"Honolulu", 21.3, -157.85, "UTC0", 2027, 1, 15, 12, 0, 0},
        {"Anchorage Dec", 61.2, -149.9, "UTC0", 2027, 12, 21, 12, 0, 0},
        // Clock readings whose UTC date is another day: the sun times used to be those of the
        // UTC date, 3 to 8 minutes off this near the polar circles.
        {"Harstad May", 68.8, 16.54, eu, 2027, 5, 14, 0, 30, 120},
        {"Dudinka January", 69.4, 86.18, "<+07>-7", 2027, 1, 20, 0, 30, 420},
        {"Murmansk November", 68.97, 33.08, "<+03>-3", 2027, 11, 20, 0, 30, 180},
        {"Tuktoyaktuk January", 69.44, -133.03, mountain, 2027, 1, 25, 23, 30, -420},
        {"Fairbanks April", 64.84, -147.72, "AKST9AKDT,M3.2.0,M11.1.0", 2027, 4, 10, 23, 30, -480},
    };
    for (const SunCase& c : cases) {
        geo::Place place = placeAt(c);
        int64_t local = platform::millisFromUtc(c.year, c.month, c.day, c.hour, c.minute, 0);
        platform::UtcTime now = platform::utcFromMillis(local - c.clockOffset * 60000LL);
        std::string text = geo::toUtf8(geo::sunriseSunsetText(now, place, kTime24).c_str());
        int rh, rm, sh, sm;
        ASSERT_EQ(
            std::sscanf(text.c_str(), "sunrise: %d:%d ,  sunset : %d:%d ", &rh, &rm, &sh, &sm), 4)
            << c.where << ": " << text;
        double novaRise, novaSet;
        libnovaDay(novaJulianDay(c.year, c.month, c.day, 0, 0), place.latitude / 60.0,
                   place.longitude / 60.0, &novaRise, &novaSet);
        EXPECT_LT(clockDistance(rh * 60 + rm, novaRise + c.clockOffset), 1.5)
            << c.where << ": " << text << ", libnova rise " << novaRise + c.clockOffset;
        EXPECT_LT(clockDistance(sh * 60 + sm, novaSet + c.clockOffset), 1.5)
            << c.where << ": " << text << ", libnova set " << novaSet + c.clockOffset;
        // The same times on the 12-hour clock and as HHMM.
        auto twelve = [](int h, int m) {
            char t[16];
            std::snprintf(t, sizeof t, "%02d:%02d %s", (h + 11) % 12 + 1, m, h < 12 ? "am" : "pm");
            return std::string(t);
        };
        EXPECT_EQ(geo::toUtf8(geo::sunriseSunsetText(now, place, kTime12).c_str()),
                  "sunrise: " + twelve(rh, rm) + ",  sunset : " + twelve(sh, sm));
        char hhmm[48];
        std::snprintf(hhmm, sizeof hhmm, "sunrise: %02d%02d,  sunset : %02d%02d", rh, rm, sh, sm);
        EXPECT_EQ(geo::toUtf8(geo::sunriseSunsetText(now, place, kTimeHhmm).c_str()), hhmm);
    }
}

TEST(SunTimes, PolarDayAndNightAgreeWithLibnova) {
    struct Polar {
        double lat, lon;
        int month, day;
        double expected;
        int libnovaResult;  // 1 circumpolar above the horizon, -1 below
    };
    for (Polar p :
         {Polar{80, 15, 6, 21, geo::kNoSunset, 1}, Polar{80, 15, 12, 21, geo::kNoSunrise, -1},
          Polar{-78, 166, 12, 21, geo::kNoSunset, 1}, Polar{-78, 166, 6, 21, geo::kNoSunrise, -1},
          Polar{90, 0, 6, 1, geo::kNoSunset, 1}, Polar{90, 0, 1, 1, geo::kNoSunrise, -1}}) {
        double jd0 = geo::julianDay(2027, p.month, p.day);
        double rise, set;
        geo::sunriseSunsetUtc(jd0, p.lat, -p.lon, &rise, &set);
        EXPECT_EQ(rise, p.expected) << p.lat << " " << p.month;
        EXPECT_EQ(set, p.expected) << p.lat << " " << p.month;
        geo::Place place;
        place.latitude = int16_t(p.lat * 60), place.longitude = int16_t(p.lon * 60);
        const auto noon =
            platform::utcFromMillis(platform::millisFromUtc(2027, p.month, p.day, 12, 0, 0));
        EXPECT_EQ(geo::sunriseSunsetText(noon, place, kTime24),
                  p.expected == geo::kNoSunset ? u"No sunset today" : u"No sunrise today");
        ln_lnlat_posn observer{p.lon, p.lat};
        ln_rst_time rst;
        EXPECT_EQ(ln_get_solar_rst(jd0 + 0.5, &observer, &rst), p.libnovaResult) << p.lat;
    }
}

TEST(SunTimes, ClockTimeRoundsHalfMinutesUpAndWrapsOnce) {
    struct Case {
        double minutes;
        int hour, minute;
    };
    for (Case c :
         {Case{600 + 29.5 / 60, 10, 0}, Case{600 + 30.0 / 60, 10, 1}, Case{23 * 60 + 59.5, 0, 0},
          Case{24 * 60 + 10, 0, 10}, Case{-50, 23, 10}, Case{725.25, 12, 5}}) {
        int h, m;
        geo::clockTime(c.minutes, &h, &m);
        EXPECT_EQ(h, c.hour) << c.minutes;
        EXPECT_EQ(m, c.minute) << c.minutes;
    }
}

TEST(SunTimes, ElevationAndAzimuthSeams) {
    // Greenwich hour angle 0 puts the sun over longitude 0: local noon there.
    double decl = 10;
    EXPECT_NEAR(geo::sunElevation(50, 0, decl, 0), 50.0, 1e-9);  // 90 - (50 - 10)
    EXPECT_NEAR(geo::sunAzimuth(50, 0, 50, decl, 0), 180.0, 1e-6);
    double before = geo::sunElevation(50, -1, decl, 0);
    double after = geo::sunElevation(50, 1, decl, 0);
    EXPECT_LT(geo::sunAzimuth(50, -1, before, decl, 0), 180.0);  // morning: east of south
    EXPECT_GT(geo::sunAzimuth(50, 1, after, decl, 0), 180.0);
    EXPECT_NEAR(geo::sunElevation(10, 0, decl, 0), 90.0, 1e-6);
    EXPECT_EQ(geo::sunAzimuth(10, 0, 90, decl, 0), 0.0);  // zenith: no direction
    EXPECT_EQ(geo::sunAzimuth(90, 0, 10, decl, 0), 0.0);  // pole
    EXPECT_NEAR(geo::sunElevation(90, 123, decl, 77), decl, 1e-9);
}

}  // namespace
