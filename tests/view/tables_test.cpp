// The interpolating table lookups against the C library over their whole input range (the
// disc's column table is checked by the globe's outline in the renderer's tests).
#include "view/tables.h"

#include <gtest/gtest.h>

#include <cmath>

#include "view/angles.h"

namespace {

class Tables : public ::testing::Test {
  protected:
    void SetUp() override { buildTrigTables(); }
};

// Worst |fixedSin − 32768 sin| and |fixedCos − 32768 cos| over every angle: 1.37 units
// (0.5 from rounding the entries, up to 7/8 from the interpolation's flooring shift).
TEST_F(Tables, SineAndCosineWithinOneAndAHalfUnits) {
    double worstSin = 0, worstCos = 0;
    for (int32_t a = 0; a <= kTurn; ++a) {
        double angle = a * 2 * kPi / kTurn;
        worstSin = std::max(worstSin, std::fabs(fixedSin(a) - kUnitScale * std::sin(angle)));
        worstCos = std::max(worstCos, std::fabs(fixedCos(a) - kUnitScale * std::cos(angle)));
    }
    EXPECT_LE(worstSin, 1.4);
    EXPECT_LE(worstCos, 1.4);
}

// The arcsine is steep near ±1, where neighbouring entries lie 0.022 rad apart: the worst
// error there is 58.2 units (0.32°); inside |x| ≤ 0.9 it is 1.36 units, as for the sine.
TEST_F(Tables, ArcsineAgainstLibraryOverWholeRange) {
    double worstInner = 0, worstEdge = 0;
    for (int32_t v = 0; v <= kTurn; ++v) {
        double x = (v - 32768) / 32768.0;
        double expected = std::asin(x) * kUnitsPerRadian;
        int32_t got = fixedAsin(v);
        double signedGot = got > kQuarterTurn ? got - kTurn : got;
        double err = std::fabs(signedGot - expected);
        double& worst = std::fabs(x) <= 0.9 ? worstInner : worstEdge;
        worst = std::max(worst, err);
        ASSERT_GE(got, 0);
        ASSERT_LT(got, kTurn);
    }
    EXPECT_LE(worstInner, 1.4);
    EXPECT_LE(worstEdge, 60.0);
}

TEST_F(Tables, LookupsOutsideTheirRangeStaySafe) {
    EXPECT_EQ(fixedSin(kTurn), fixedSin(0));
    EXPECT_EQ(fixedCos(-kQuarterTurn), fixedCos(3 * kQuarterTurn));
    EXPECT_EQ(fixedAsin(-5000), fixedAsin(0));      // clamped to asin(−1)
    EXPECT_EQ(fixedAsin(1 << 30), kQuarterTurn);    // clamped to asin(1)
    EXPECT_EQ(fixedAsin(0), kTurn - kQuarterTurn);  // −90° wrapped
}

}  // namespace
