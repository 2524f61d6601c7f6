// The flat map's height limits, start-up normalisation, rectangles on the globe and the
// animated rotation's arrival, each against the figures the program promises.
#include "view/zoom.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/options.h"
#include "view/angles.h"
#include "view/animation.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

class Zoom : public ::testing::Test {
  protected:
    void SetUp() override {
        buildTrigTables();
        gView = ViewState{};
        gView.mapHeight = 512;
        gOptions = Options{};
        buildColumnTables();
    }
};

TEST_F(Zoom, StartUpNormalisesLoadedAngles) {
    struct Case {
        int32_t lon, lat, wantLon, wantLat;
    } cases[] = {{70000, 20000, 4464, 16384},
                 {-25536, -20000, 40000, -16384},
                 {65536, 0, 65536, 0},
                 {-1, 100, 65535, 100}};
    for (const Case& c : cases) {
        gView.lonAngle = c.lon;
        gView.latAngle = c.lat;
        normaliseViewAngles();
        EXPECT_EQ(gView.lonAngle, c.wantLon) << c.lon;
        EXPECT_EQ(gView.latAngle, c.wantLat) << c.lat;
    }
}

// The flat map's heights: 120 at least, the map's own (stored as −1) at most. The globe's
// radius limits are the end-to-end zoom keys test's.
TEST_F(Zoom, FlatMapHeightsStopAtTheirLimits) {
    EXPECT_EQ(setPlanarHeight(50), 120);
    EXPECT_EQ(gView.planarHeight, 120);
    EXPECT_EQ(gView.margin, 100);
    EXPECT_EQ(setPlanarHeight(900), 512);
    EXPECT_EQ(gView.planarHeight, -1);
    EXPECT_EQ(gView.margin, 0);
    gView.planar = true;
    EXPECT_FALSE(zoomView(ZoomKey::StepIn));  // already the map's own height
    EXPECT_TRUE(zoomView(ZoomKey::StepOut));
    EXPECT_EQ(planarHeightInUse(), 320);
    EXPECT_TRUE(zoomView(ZoomKey::StepOut));
    EXPECT_EQ(planarHeightInUse(), 120);
    EXPECT_FALSE(zoomView(ZoomKey::StepOut));
    EXPECT_FALSE(zoomView(ZoomKey::NudgeOut));
    gView.mapHeight = 0;
    EXPECT_EQ(setPlanarHeight(300), 0);
}

TEST_F(Zoom, RestoredPlanarViewKeepsDamagedOffsetsInsideTheMap) {
    gView.planarHeight = 400;
    gView.offsetX = -30000;
    gView.offsetY = 30000;
    restorePlanarZoom();
    EXPECT_EQ(gView.planarHeight, 400);
    EXPECT_GE(gView.offsetX, 0);
    EXPECT_LT(gView.offsetX, 800);
    EXPECT_EQ(gView.offsetY, 400 - 320);
}

// A corner off the globe does nothing; a rectangle on it centres on its middle; one pixel
// raises the distance to one arc minute and the radius is capped.
TEST_F(Zoom, RectangleOnTheGlobeCentresOnItsMiddle) {
    EXPECT_FALSE(zoomToRectangle(0, 0, 10, 10));
    EXPECT_FALSE(zoomToRectangle(-1, 150, 130, 150));
    gView.lonAngle = 16384;  // centre on 0°, 0°
    ASSERT_TRUE(zoomToRectangle(140, 150, 160, 170));
    double lat, lon;
    currentViewCentre(&lat, &lon);
    // The middle pixel (150, 160) lies 30 px east of the centre on a 118 px globe.
    EXPECT_NEAR(lon, std::asin(30.0 / 118), 0.01);
    EXPECT_NEAR(lat, 0, 0.01);
    EXPECT_GT(gView.radius, 118);
    EXPECT_TRUE(zoomToRectangle(130, 150, 130, 150));
    EXPECT_EQ(gView.radius, 325);
}

// The flat map cannot centre on latitudes near the poles (its rows stop at the map's edge),
// so the animation's own centre is measured, not the screen's.
double distanceToTarget() {
    return centralAngle(gView.centreLat, gView.centreLon, gView.targetLat, gView.targetLon);
}

// With the animation off every target is reached in one step; the globe's screen centre is
// then the target itself.
TEST_F(Zoom, AnimationArrivesAtItsTarget) {
    struct Case {
        int32_t latMin, lonMin;
        int maxSteps;
    } cases[] = {{20, 0, 1}, {3000, 6000, 40}, {-4000, -10000, 40}, {0, 10800, 60}};
    for (bool animated : {true, false})
        for (bool planar : {false, true})
            for (const Case& c : cases) {
                SCOPED_TRACE(::testing::Message() << c.latMin << "," << c.lonMin << " planar "
                                                  << planar << " animated " << animated);
                gOptions.animatedRotation = animated;
                gView.planar = planar;
                gView.lonAngle = 16384;
                gView.latAngle = 0;
                gView.offsetX = 512 - 120;
                gView.offsetY = 256 - 160;
                startAnimation(c.latMin, c.lonMin);
                int steps = 0;
                double last = distanceToTarget();
                while (gView.animating && steps < 200) {
                    animationStep();
                    ++steps;
                    if (gView.animating) EXPECT_LT(distanceToTarget(), last + 1e-9);
                    last = distanceToTarget();
                }
                EXPECT_FALSE(gView.animating);
                EXPECT_LE(steps, animated ? c.maxSteps : 1);
                EXPECT_LT(distanceToTarget(), 0.01);
                double lat, lon;
                currentViewCentre(&lat, &lon);
                if (!animated && !planar)
                    EXPECT_LT(centralAngle(lat, lon, c.latMin * kRadiansPerMinute,
                                           c.lonMin * kRadiansPerMinute),
                              0.001);
            }
}

}  // namespace
