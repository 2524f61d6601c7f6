// Forward projection against the textbook orthographic and equirectangular formulas, and
// picking as its inverse: project a grid of positions under many view angles (poles, date
// line, limb included), pick the pixel back and land on the same place of the Earth.
#include <gtest/gtest.h>

#include <cmath>

#include "../geo/sphere.h"
#include "texture/point_projection.h"
#include "view/angles.h"
#include "view/picking.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

constexpr double kDeg = kPi / 180;

using namespace sphere;

class Projection : public ::testing::Test {
  protected:
    void SetUp() override {
        buildTrigTables();
        gView = ViewState{};
        gView.mapHeight = 512;
        buildColumnTables();
    }
};

struct SphereView {
    int32_t lonAngle, latAngle, radius;
};
const SphereView kSphereViews[] = {
    {0, 0, 118},         {16384, 0, 118},      {32768, -9000, 118},
    {50000, 5000, 118},  {65535, -16384, 118}, {12000, 16384, 118},
    {40000, -3000, 300}, {8000, 12000, 40},    {20000, -4000, 118},
};

// Orthographic reference: the point's screen position and cos of its distance from the
// view centre (positive on the front hemisphere).
void orthographic(double lat, double lon, double* x, double* y, double* cosC) {
    double latC = -gView.latAngle * kPi / kHalfTurn;
    double lonC = gView.lonAngle * kPi / kHalfTurn - kPi / 2;
    double dl = lon - lonC;
    *x = 120 + gView.radius * std::cos(lat) * std::sin(dl);
    *y = 160 - gView.radius *
                   (std::cos(latC) * std::sin(lat) - std::sin(latC) * std::cos(lat) * std::cos(dl));
    *cosC = std::sin(latC) * std::sin(lat) + std::cos(latC) * std::cos(lat) * std::cos(dl);
}

// The view centre lands on the screen centre; the screen position within 2 px of the exact
// projection (picking, the inverse, is checked at every disc pixel against the exact inverse
// projection in the renderer's tests).
TEST_F(Projection, SphereProjectsLikeOrthographic) {
    for (const SphereView& v : kSphereViews) {
        gView.lonAngle = v.lonAngle;
        gView.latAngle = v.latAngle;
        gView.radius = v.radius;
        buildColumnTables();
        double centreLat, centreLon;
        currentViewCentre(&centreLat, &centreLon);
        ScreenPoint centre;
        EXPECT_TRUE(projectPoint(centreLat, centreLon, &centre));
        EXPECT_NEAR(centre.x, 120, 1);
        EXPECT_NEAR(centre.y, 160, 1);
        for (int latDeg = -90; latDeg <= 90; latDeg += 5) {
            for (int lonDeg = -180; lonDeg <= 180; lonDeg += 5) {
                double lat = latDeg * kDeg, lon = lonDeg * kDeg;
                double rx, ry, cosC;
                orthographic(lat, lon, &rx, &ry, &cosC);
                ScreenPoint p;
                bool visible = projectPoint(lat, lon, &p);
                SCOPED_TRACE(::testing::Message()
                             << "view " << v.lonAngle << "," << v.latAngle << " R " << v.radius
                             << " point " << latDeg << "," << lonDeg);
                if (cosC > 0.01) EXPECT_TRUE(visible);
                if (cosC < -0.01) EXPECT_FALSE(visible);
                if (cosC > -0.01) {  // the far side keeps no particular position
                    EXPECT_NEAR(p.x, rx, 2.0);
                    EXPECT_NEAR(p.y, ry, 2.0);
                }
                // ... but stays inside the disc, and the limb lies on its edge.
                double r = std::hypot(p.x - 120.0, p.y - 160.0);
                EXPECT_LE(r, v.radius + 1.5);
                if (std::fabs(cosC) < 0.01) EXPECT_GE(r, v.radius - 2.5);
            }
        }
    }
}

struct PlanarView {
    int32_t height, offsetX, offsetY;
};
const PlanarView kPlanarViews[] = {
    {-1, 0, 0}, {-1, 900, 100}, {-1, 1023, 192}, {320, 400, 0}, {120, 5, 0}, {400, 700, 80},
};

// Equirectangular reference within one pixel, and picking back within one map pixel
// (π / H radians) in latitude and longitude, across the date line.
TEST_F(Projection, PlanarProjectsAndPicksBack) {
    gView.planar = true;
    for (const PlanarView& v : kPlanarViews) {
        gView.planarHeight = v.height;
        gView.offsetX = v.offsetX;
        gView.offsetY = v.offsetY;
        restorePlanarZoom();
        int32_t h = planarHeightInUse(), w = 2 * h;
        double pixel = kPi / h;
        for (int latDeg = -90; latDeg <= 90; latDeg += 5) {
            for (int lonDeg = -180; lonDeg <= 180; lonDeg += 5) {
                double lat = latDeg * kDeg, lon = lonDeg * kDeg;
                SCOPED_TRACE(::testing::Message()
                             << "H " << h << " point " << latDeg << "," << lonDeg);
                double rx = std::fmod((lon + kPi) / (2 * kPi) * w - gView.offsetX + 2.0 * w, w);
                double ry = h / 2.0 - lat / (2 * kPi) * w + gView.margin - gView.offsetY;
                ScreenPoint p;
                bool visible = projectPoint(lat, lon, &p);
                double dx = std::fabs(p.x - rx);
                EXPECT_LE(std::fmin(dx, w - dx), 1.0);
                EXPECT_NEAR(p.y, ry, 1.0);
                int32_t bottom = gView.margin + std::min(h, 320);
                EXPECT_EQ(visible, p.x < 240 && p.y >= gView.margin && p.y < bottom);
                int32_t latU, lonU;
                if (!visible || !screenToViewAngles(p.x, p.y, &latU, &lonU)) continue;
                EXPECT_NEAR(latFromUnits(latU), lat, pixel * 1.01);
                double dl = std::remainder(lonFromUnits(lonU) - lon, 2 * kPi);
                EXPECT_LE(std::fabs(dl), pixel * 1.01);
            }
        }
    }
}

TEST_F(Projection, PlanarWrapsEastWestAndNeedsAMap) {
    gView.planar = true;
    gView.planarHeight = -1;
    gView.offsetX = 300;
    gView.offsetY = 100;
    ScreenPoint a, b;
    projectPoint(0.3, -0.5, &a);
    projectPoint(0.3, -0.5 + 2 * kPi, &b);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    gView.mapHeight = 0;  // no map: no geometry, nothing visible
    EXPECT_FALSE(projectPoint(0, 0, &a));
    int32_t latU, lonU;
    EXPECT_FALSE(screenToViewAngles(120, 160, &latU, &lonU));
}

// The place under the screen centre, picked back from the screen as a user would see it.
Vec placeAtScreenCentre() {
    int32_t latU = 0, lonU = 0;
    EXPECT_TRUE(screenToViewAngles(120, 160, &latU, &lonU));
    return unit(latFromUnits(latU), lonFromUnits(lonU));
}

// Switching views keeps the place at the screen centre within half a degree, both ways and
// after many switches (rounding to map pixels must not creep). The flat map used to open at
// its stored offsets wherever the globe had faced.
TEST_F(Projection, SwitchingViewsKeepsTheCentre) {
    struct Case {
        bool planar;
        int32_t lonAngle, latAngle;        // the globe's, when starting from it
        int32_t height, offsetX, offsetY;  // the flat map's, when starting from it
    } cases[] = {
        {false, 0, 0, -1, 0, 0},        {false, 30000, -7000, -1, 0, 0},
        {false, 60000, 9000, -1, 0, 0}, {false, 49140, -2000, -1, 0, 0},  // at the date line
        {false, 100, 3, 700, 0, 0},     {true, 0, 0, -1, 1900, 450},
        {true, 0, 0, -1, 5, 0},         {true, 0, 0, 500, 333, 17},
        {true, 0, 0, 200, 34, 0},
    };
    for (const Case& c : cases) {
        gView = ViewState{};
        gView.mapHeight = 1000;
        gView.planar = c.planar;
        gView.lonAngle = c.lonAngle;
        gView.latAngle = c.latAngle;
        gView.planarHeight = c.height;
        gView.offsetX = c.offsetX;
        gView.offsetY = c.offsetY;
        restorePlanarZoom();
        const Vec start = placeAtScreenCentre();
        for (int i = 1; i <= 40; ++i) {
            switchView();
            SCOPED_TRACE(::testing::Message() << "from " << (c.planar ? "flat" : "globe") << " "
                                              << c.lonAngle << "," << c.latAngle << " offsets "
                                              << c.offsetX << "," << c.offsetY << " switch " << i);
            ASSERT_EQ(gView.planar, c.planar != (i % 2 == 1));
            EXPECT_LE(angleBetween(placeAtScreenCentre(), start), 0.5 * kDeg);
        }
    }
}

TEST_F(Projection, ClampToViewFindsTheRim) {
    int32_t x, y;
    EXPECT_TRUE(clampToView(150, 170, &x, &y));
    EXPECT_FALSE(clampToView(120, 0, &x, &y));
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 160 - 118);
    EXPECT_FALSE(clampToView(239, 319, &x, &y));
    EXPECT_NEAR(std::hypot(x - 120.0, y - 160.0), 118, 2.0);  // truncated inward
    EXPECT_GT(x, 120);
    EXPECT_GT(y, 160);
    gView.planar = true;
    gView.margin = 32;
    EXPECT_FALSE(clampToView(10, 300, &x, &y));
    EXPECT_EQ(y, 320 - 32 - 1);
}

}  // namespace
