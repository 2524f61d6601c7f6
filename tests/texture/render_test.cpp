// The globe and the flat map drawn from a texture set up by hand: the disc's outline against
// the exact circle, every pixel's texel and pick against the exact inverse projection, the
// flat map's band, grid and circles, and the background alone without a texture.

#include <cmath>

#include "../geo/sphere.h"
#include "base/redraw.h"
#include "map_files.h"
#include "texture/point_projection.h"
#include "texture/render_planar.h"
#include "texture/render_sphere.h"
#include "texture/texels.h"
#include "view/angles.h"
#include "view/picking.h"

namespace {

using RenderTest = MapFiles;

TEST_F(RenderTest, NoTextureDrawsTheBackgroundOnly) {
    gOptions.backgroundColor = 0x1234;
    for (bool planar : {false, true}) {
        std::fill(backBuffer(), backBuffer() + kW * kH, uint16_t(0x7777));
        gRedraw = 1;
        planar ? renderPlanar() : renderSphere();
        EXPECT_EQ(gRedraw, 0);
        for (int i = 0; i < kW * kH; ++i) ASSERT_EQ(backBuffer()[i], 0x1234) << i;
    }
}

TEST_F(RenderTest, GlobeOutlineIsTheCircleOfTheRadius) {
    makeTexture(720, 360, [](int, int) { return uint16_t(0xFFFF); });
    for (int radius : {1, 40, 97, 118, 119, 120, 121, 150, 200, 300}) {
        gView.radius = radius;
        buildColumnTables();
        renderSphere();
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                ASSERT_EQ(at(x, y), onDisc(radius, x, y) ? 0xFFFF : 0x0000)
                    << "radius " << radius << " at " << x << "," << y;
    }
}

// The exact inverse orthographic projection of pixel (x, y): the screen direction turned
// into the Earth's frame by the view centre's east, north and outward unit vectors.
void exactPlace(int x, int y, double* lat, double* lon) {
    const double r = gView.radius, east = (x - 120) / r, north = (160 - y) / r;
    const double out = std::sqrt(std::max(0.0, 1 - east * east - north * north));
    const double latC = latFromUnits(gView.latAngle), lonC = lonFromUnits(gView.lonAngle + 16384);
    const sphere::Vec c = sphere::unit(latC, lonC), n = sphere::unit(latC + kPi / 2, lonC);
    const sphere::Vec e{-std::sin(lonC), std::cos(lonC), 0};
    const double px = east * e.x + north * n.x + out * c.x,
                 py = east * e.y + north * n.y + out * c.y;
    *lat = std::asin(std::clamp(east * e.z + north * n.z + out * c.z, -1.0, 1.0));
    *lon = std::atan2(py, px);
}

// Every disc pixel, picked and drawn, against the exact inverse projection: the picked place
// within half an angle unit (0.17', its rounding) in latitude and longitude, the drawn texel
// the one under that place (the unit's rounding moves it by at most 1/64 of a texel). The
// longitude used to come from the arcsine of its cosine, flat near the centre column, and the
// row's arcsine step was truncated: at high zoom the centre columns were smeared by up to 50'
// and every tap near them read 0°.
TEST_F(RenderTest, GlobeAndPicksFollowTheExactInverseProjection) {
    // Texel (u, v) carries u and v modulo 256, enough to tell a neighbour from its own texel.
    const int w = 2048;
    makeTexture(w, w / 2, [](int u, int v) { return uint16_t((u & 255) | (v & 255) << 8); });
    const struct {
        int lon, lat, radius;
    } cases[] = {{18204, -9102, 118}, {18204, -9102, 400}, {18204, -9102, 800}, {16384, 0, 658},
                 {49000, 4000, 800},  {3000, -16200, 800}, {40000, 16380, 200}, {8000, 12000, 40}};
    auto turns = [](double a) { return a - 65536 * std::round(a / 65536); };  // −32768 .. 32768
    for (const auto& c : cases) {
        gView.lonAngle = c.lon, gView.latAngle = c.lat, gView.radius = c.radius;
        buildColumnTables();
        renderSphere();
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                if (!onDisc(c.radius, x, y)) continue;
                double lat = 0, lon = 0;
                exactPlace(x, y, &lat, &lon);
                int32_t latU = 0, lonU = 0;
                ASSERT_TRUE(screenToViewAngles(x, y, &latU, &lonU));
                const double latExact = -lat * kUnitsPerRadian, lonExact = lon * kUnitsPerRadian;
                const double lonError = turns(lonU - 32768 - lonExact);
                ASSERT_TRUE(std::fabs(latU - latExact) <= 0.5 + 1e-6 &&
                            std::fabs(lonError) <= 0.5 + 1e-6)
                    << "view " << c.lon << "," << c.lat << " R " << c.radius << " at " << x << ","
                    << y << ": picked " << latU << "," << lonU << ", exactly " << latExact << ","
                    << lonExact + 32768;
                // The exact place in texels, on the same turn as the pick.
                const double u = (lonU - lonError) * (w - 1) / 65536,
                             v = (latExact + 16384) * (w - 1) / 65536;
                const uint16_t p = at(x, y);
                const double du = std::remainder(u - (p & 255), 256),
                             dv = std::remainder(v - (p >> 8), 256);
                ASSERT_TRUE(du > -1.0 / 64 && du < 1 + 1.0 / 64 && dv > -1.0 / 64 &&
                            dv < 1 + 1.0 / 64)
                    << "view " << c.lon << "," << c.lat << " R " << c.radius << " at " << x << ","
                    << y << ": texel off by " << du << "," << dv;
            }
    }
}

TEST_F(RenderTest, ScaledFlatMapBandGridAndCircles) {
    makeTexture(1024, 512, [](int, int) { return uint16_t(0x2104); });
    gOptions.backgroundColor = 0x0841;
    gOptions.latLonGrid = true;
    gOptions.tropicPolarCircles = true;
    gView.planar = true;
    gView.offsetX = gView.offsetY = 0;
    ASSERT_EQ(setPlanarHeight(120), 120);  // band of 240 × 120 at rows 100 .. 219
    ASSERT_EQ(gView.margin, 100);
    renderPlanar();
    for (int y : {0, 99, 221, 319}) EXPECT_EQ(at(50, y), 0x0841) << y;
    // 24 meridians every 10 pixels: the antimeridian and the prime meridian in Equator Color.
    for (int x = 0; x < kW; ++x) {
        uint16_t want = x % 10               ? 0x2104
                        : x == 0 || x == 120 ? gOptions.equatorColor
                                             : gOptions.gridColor;
        EXPECT_EQ(at(x, 105), want) << x;
    }
    // 13 parallels every 10 rows from the north pole; the seventh is the equator.
    for (int i = 0; i <= 12; ++i)
        EXPECT_EQ(at(5, 100 + 10 * i), i == 6 ? gOptions.equatorColor : gOptions.gridColor) << i;
    // Tropics 15 rows from the equator (23.45° of 120 px), dashed over the texture.
    int tropic = 0, other = 0;
    for (int x = 0; x < kW; ++x) (at(x, 160 - 15) == gOptions.tropicColor ? tropic : other)++;
    EXPECT_GT(tropic, 60);
    EXPECT_GT(other, 60);
}

}  // namespace
