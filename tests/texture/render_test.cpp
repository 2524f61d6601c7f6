// The globe and the flat map drawn from a texture set up by hand: the disc's outline against
// the exact circle, texels where the forward projection puts them, the flat map's columns,
// band, grid and circles, and the background alone without a texture.

#include <cmath>

#include "base/redraw.h"
#include "map_files.h"
#include "texture/point_projection.h"
#include "texture/render_planar.h"
#include "texture/render_sphere.h"
#include "texture/texels.h"

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
    for (int radius : {40, 97, 118, 119, 120, 150, 200}) {
        gView.radius = radius;
        buildColumnTables();
        renderSphere();
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                ASSERT_EQ(at(x, y), onDisc(radius, x, y) ? 0xFFFF : 0x0000)
                    << "radius " << radius << " at " << x << "," << y;
    }
}

TEST_F(RenderTest, TexelsAppearWhereTheProjectionPutsThem) {
    const int w = 720, h = 360;
    struct Spot {
        double lat, lon;  // degrees
    } spots[] = {{30, 40}, {-10, -25}, {50, -30}, {0, 10}, {-35, 60}, {62, 5}};
    auto marked = [&](int u, int v) {
        for (const Spot& s : spots) {
            int su = int((s.lon + 180) / 360 * w), sv = int((90 - s.lat) / 180 * h);
            if (std::abs(u - su) <= 2 && std::abs(v - sv) <= 2) return true;
        }
        return false;
    };
    makeTexture(w, h, [&](int u, int v) { return uint16_t(marked(u, v) ? 0xF800 : 0x4208); });
    const double kDeg = 3.141592653589793 / 180;
    setSphericalView(15 * kDeg, 12 * kDeg);
    gView.radius = 118;
    buildColumnTables();
    renderSphere();
    for (const Spot& s : spots) {
        ScreenPoint p;
        ASSERT_TRUE(projectPoint(s.lat * kDeg, s.lon * kDeg, &p)) << s.lat << "," << s.lon;
        bool found = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) found = found || at(p.x + dx, p.y + dy) == 0xF800;
        EXPECT_TRUE(found) << s.lat << "," << s.lon << " at " << p.x << "," << p.y;
    }
}

TEST_F(RenderTest, GlobeGridMarksTheEquatorAndPrimeMeridian) {
    // On this map the 15° grid is 42 texels apart, which misses the equator (row 256) and the
    // prime meridian (column 512): both used to be left out.
    makeTexture(1024, 512, [](int, int) { return uint16_t(0x2104); });
    gOptions.latLonGrid = true;
    setSphericalView(0, 0);  // looking at 0°N 0°E
    buildColumnTables();
    renderSphere();
    EXPECT_EQ(at(120, 160), gOptions.equatorColor);
    EXPECT_EQ(at(150, 160), gOptions.equatorColor);  // along the equator
    EXPECT_EQ(at(120, 60), gOptions.equatorColor);   // along the prime meridian
    // Below the centre the table arcsine near ±1 shifts the centre column's texel by a
    // texel or so; the line is still there beside it.
    EXPECT_TRUE(at(119, 200) == gOptions.equatorColor || at(121, 200) == gOptions.equatorColor);
    EXPECT_EQ(at(100, 140), 0x2104);  // between the lines
}

TEST_F(RenderTest, FlatMapAtItsOwnSizeCopiesWrappedColumns) {
    const int w = 1024, h = 512;
    makeTexture(w, h, [](int u, int v) { return uint16_t(u | (v & 63) << 10); });
    gView.planar = true;
    gView.planarHeight = -1;
    gView.offsetX = 900;  // the screen runs past the map's right edge into its left
    gView.offsetY = 100;
    gView.margin = 0;
    renderPlanar();
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(at(x, y), ((900 + x) % w) | ((100 + y) & 63) << 10) << x << "," << y;
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
