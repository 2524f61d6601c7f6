// The interpolating table lookups against the C library over their whole input range, and
// the disc's column table against the circle it describes.
#include "view/tables.h"

#include <gtest/gtest.h>

#include <cmath>

#include "view/angles.h"
#include "view/view_state.h"

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
    std::printf("worst sine error %.3f, cosine error %.3f (units of 1/32768)\n", worstSin,
                worstCos);
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
    std::printf("worst arcsine error %.2f inside |x|<=0.9, %.2f near +-1 (angle units)\n",
                worstInner, worstEdge);
}

TEST_F(Tables, LookupsOutsideTheirRangeStaySafe) {
    EXPECT_EQ(fixedSin(kTurn), fixedSin(0));
    EXPECT_EQ(fixedCos(-kQuarterTurn), fixedCos(3 * kQuarterTurn));
    EXPECT_EQ(fixedAsin(-5000), fixedAsin(0));      // clamped to asin(−1)
    EXPECT_EQ(fixedAsin(1 << 30), kQuarterTurn);    // clamped to asin(1)
    EXPECT_EQ(fixedAsin(0), kTurn - kQuarterTurn);  // −90° wrapped
}

// Every column's half-height is the largest h with h² ≤ R² − d², checked by brute force.
TEST_F(Tables, ColumnTablesFollowTheCircle) {
    for (int32_t radius : {1, 40, 118, 119, 120, 121, 300}) {
        gView.radius = radius;
        buildColumnTables();
        ASSERT_EQ(gColumns.halfHeight.size(), 121u);
        for (int c = 0; c <= 120; ++c) {
            int64_t d = c - 120, r2 = int64_t{radius} * radius;
            int64_t h = 0;
            if (d * d <= r2)
                while ((h + 1) * (h + 1) <= r2 - d * d) ++h;
            EXPECT_EQ(gColumns.halfHeight[c], d * d <= r2 ? h : 0) << radius << " " << c;
        }
    }
    gView.radius = kDefaultRadius;
}

}  // namespace
