// The almanac formula against libnova's full solar theory at dates across decades (solstices,
// equinoxes and both sides of the day-number branch at the end of February), and the
// fixed-point elevation against double-precision spherical trigonometry.
#include "texture/sun.h"

#include <gtest/gtest.h>

#include <cmath>

#include "libnova_sun.h"
#include "platform/clock.h"
#include "view/angles.h"
#include "view/tables.h"

namespace {

struct Instant {
    int year, month, day, hour, minute;
};
const Instant kInstants[] = {
    {1995, 2, 28, 6, 30}, {2000, 1, 1, 12, 0},   {2004, 2, 29, 23, 59}, {2010, 3, 20, 17, 32},
    {2016, 3, 1, 0, 0},   {2020, 6, 20, 21, 44}, {2024, 9, 22, 12, 44}, {2027, 3, 20, 12, 0},
    {2027, 11, 3, 12, 0}, {2031, 12, 21, 9, 0},  {2038, 7, 4, 15, 15},  {2045, 2, 11, 3, 20},
    {2060, 5, 14, 12, 0}, {2099, 10, 31, 18, 5}, {2027, 3, 1, 12, 0},
};

struct Reference {
    double declination;     // degrees
    double hourAngle;       // Greenwich hour angle, degrees 0 .. 360
    double equationOfTime;  // seconds
};

Reference libnovaSun(const Instant& t) {
    const NovaSun sun = novaSun(novaJulianDay(t.year, t.month, t.day, t.hour, t.minute));
    double gha = std::fmod(sun.gast - sun.ra + 720, 360);
    double mean = (t.hour + t.minute / 60.0 - 12) * 15;
    double eot = std::remainder(gha - mean, 360) * 240;  // 1° of hour angle = 240 s
    return {sun.dec, gha, eot};
}

// Worst differences from libnova over these instants (1995-2099): declination 0.015°,
// equation of time 9.9 s, hour angle 0.041°: the subsolar point (δ, −G) within 5 km.
TEST(Sun, AgreesWithLibnovaAcrossYears) {
    for (const Instant& t : kInstants) {
        double hours = t.hour + t.minute / 60.0;
        Reference ref = libnovaSun(t);
        double gha = sunHourAngle(t.day, t.month, t.year, hours);
        SCOPED_TRACE(::testing::Message() << t.year << "-" << t.month << "-" << t.day << " "
                                          << t.hour << ":" << t.minute);
        EXPECT_NEAR(sunDeclination(t.day, t.month, t.year, hours), ref.declination, 0.02);
        EXPECT_NEAR(sunEquationOfTime(t.day, t.month, t.year, hours), ref.equationOfTime, 12.0);
        EXPECT_LE(std::fabs(std::remainder(gha - ref.hourAngle, 360)), 0.05);
        EXPECT_GE(gha, 0.0);
        EXPECT_LE(gha, 360.0);
    }
}

class SunGeometry : public ::testing::Test {
  protected:
    void SetUp() override { buildTrigTables(); }
};

// The stored position is the almanac's for the instant; the elevation everywhere against
// asin(sin φ sin δ + cos φ cos δ cos h) in doubles: within 0.5° away from the zenith and nadir,
// where the arcsine table is coarse (1°).
TEST_F(SunGeometry, ElevationMatchesSphericalTrigonometry) {
    for (const Instant& t : {Instant{2027, 1, 10, 8, 0}, Instant{2027, 6, 21, 18, 30}}) {
        SunVector sun = updateSunPositionAt(
            platform::millisFromUtc(t.year, t.month, t.day, t.hour, t.minute, 0));
        const double hours = t.hour + t.minute / 60.0;
        EXPECT_DOUBLE_EQ(gSun.declination, sunDeclination(t.day, t.month, t.year, hours));
        EXPECT_DOUBLE_EQ(gSun.hourAngle, sunHourAngle(t.day, t.month, t.year, hours));
        double decl = gSun.declination * kPi / 180, gha = gSun.hourAngle * kPi / 180;
        for (int latDeg = -90; latDeg <= 90; latDeg += 10) {
            for (int lonDeg = -180; lonDeg < 180; lonDeg += 15) {
                double lat = latDeg * kPi / 180, h = gha + lonDeg * kPi / 180;
                double want = std::asin(std::sin(lat) * std::sin(decl) +
                                        std::cos(lat) * std::cos(decl) * std::cos(h));
                int32_t e = sunElevationAt(truncToInt(latDeg * kUnitsPerDegree),
                                           truncToInt(lonDeg * kUnitsPerDegree), sun);
                double got = e * kPi / kHalfTurn;
                double tol = std::fabs(want) > 80 * kPi / 180 ? 1.0 : 0.5;
                EXPECT_NEAR(got * 180 / kPi, want * 180 / kPi, tol) << latDeg << "," << lonDeg;
            }
        }
    }
    // Exactly overhead, at the antipode and on the terminator.
    SunVector sun{0, 32768, 1000};  // sun over the equator, 1000 units west of Greenwich
    EXPECT_EQ(sunElevationAt(0, -1000, sun), 16384);
    EXPECT_EQ(sunElevationAt(0, -1000 + 32768, sun), -16384);
    EXPECT_EQ(sunElevationAt(0, -1000 + 16384, sun), 0);  // on the terminator
}

}  // namespace
