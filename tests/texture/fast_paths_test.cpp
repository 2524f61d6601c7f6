// The renderers' and the shading's stepped and table-driven paths against plain per-pixel
// versions written out here from the rules; every pixel must match.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

#include "base/redraw.h"
#include "map_files.h"
#include "platform/clock.h"
#include "platform/cpu.h"
#include "texture/compose.h"
#include "texture/render_planar.h"
#include "texture/render_sphere.h"
#include "texture/sun.h"
#include "texture/texels.h"
#include "view/angles.h"
#include "view/picking.h"

namespace {

class FastPaths : public MapFiles {
  protected:
    // A W × H texture of pseudo-random texels, installed as the working texture.
    void makeNoise(int w, int h) {
        std::mt19937 random(7);
        makeTexture(w, h, [&](int, int) { return uint16_t(random()); });
    }
};

// The per-field mean of the n × n texels around or left-above (u, v), field by field.
uint16_t boxMean(const TexelSource& t, int u0, int v0, int n) {
    int red = 0, green = 0, blue = 0;
    for (int v = v0; v < v0 + n; ++v)
        for (int u = u0; u < u0 + n; ++u) {
            uint16_t p = t.texels[size_t(v) * t.width + u];
            red += p >> 11, green += (p >> 5) & 63, blue += p & 31;
        }
    return uint16_t((red / (n * n)) << 11 | (green / (n * n)) << 5 | blue / (n * n));
}

// One band pixel with a division per coordinate, as the flat map's rule states it; at the
// map's own size (height −1) its texels as they stand.
uint16_t bandPixelByDivision(const TexelSource& t, int height, int offsetX, int offsetY, int k,
                             int r) {
    if (height < 0) return t.texels[size_t(offsetY + r) * t.width + (offsetX + k) % t.width];
    const int width = 2 * height;
    const int mx = ((offsetX + k) % width + width) % width;
    // Rows above or below the map repeat its edge rows.
    const int u = int(int64_t{mx} * t.width / width),
              v = std::clamp(int(int64_t{offsetY + r} * t.height / height), 0, t.height - 1);
    if (u == 0 || v == 0 || u >= t.width - 1 || v >= t.height - 1)
        return t.texels[size_t(v) * t.width + u];
    return height > t.height / 2 ? boxMean(t, u - 1, v - 1, 2) : boxMean(t, u - 1, v - 1, 3);
}

TEST_F(FastPaths, FlatMapMatchesTheDivisionPerPixel) {
    gView.planar = true;
    const struct {
        int width, height, offsetX, offsetY;
    } cases[] = {{1024, 320, 0, 0},      {1024, 320, 500, 0},  {1024, 320, 639, 0},
                 {1024, 333, 410, 13},   {1024, 400, 799, 80}, {1024, 500, 900, 180},
                 {1024, 512, 1000, 192}, {1024, 512, 3000, 7}, {1024, 257, 100, 0},
                 {1024, 256, 100, 0},    {1024, 200, 399, 0},  {1024, 171, 17, 0},
                 {1024, 120, 239, 0},    {1024, 320, 100, -5}, {1024, 400, 50, 100},
                 {1024, -1, 900, 100},   {6, 120, 7, 0},       {6, 2, 1, 0}};
    for (const auto& c : cases) {
        if (gMapSet.textureWidth != c.width) makeNoise(c.width, c.width / 2);
        const TexelSource t = currentTexture();
        const int height = c.height < 0 ? t.height : c.height;
        gView.planarHeight = c.height;
        gView.margin = height < kH ? (kH - height) / 2 : 0;
        gView.offsetX = c.offsetX;
        gView.offsetY = c.offsetY;
        renderPlanar();
        const int rows = std::min(height, kH - gView.margin);
        for (int r = 0; r < rows; ++r)
            for (int k = 0; k < kW; ++k)
                ASSERT_EQ(at(k, gView.margin + r),
                          bandPixelByDivision(t, c.height, c.offsetX, c.offsetY, k, r))
                    << "height " << c.height << " offsets " << c.offsetX << "," << c.offsetY
                    << " at " << k << "," << r;
    }
    // A new texture of the same size is resampled anew.
    makeTexture(6, 3, [](int, int) { return uint16_t(0x1234); });
    renderPlanar();
    EXPECT_EQ(at(100, gView.margin), 0x1234);
}

TEST(BoxFilters, InsideVersionsSumEveryFieldWithoutCarries) {
    // All-ones fields are the largest sums: nine 31s, nine 63s.
    std::vector<uint16_t> px(25);
    std::mt19937 random(3);
    for (int round = 0; round < 200; ++round) {
        for (auto& p : px) p = round == 0 ? 0xFFFF : uint16_t(random());
        TexelSource t{px.data(), 5, 5};
        for (int v = 1; v <= 3; ++v)
            for (int u = 1; u <= 3; ++u) {
                ASSERT_EQ(average2x2Inside(t, u, v), boxMean(t, u - 1, v - 1, 2));
                ASSERT_EQ(average3x3Inside(t, u, v), boxMean(t, u - 1, v - 1, 3));
            }
    }
}

// The texel column and row under the globe pixel d columns right of the centre (left when
// negative), its place inverted on its own.
void globeTexel(const TexelSource& t, int d, int y, int* u, int* v) {
    int lat = 0, offset = 0;
    invertDiscPixel(discInversion(gView.latAngle, gView.radius), d, y - 160, &lat, &offset);
    const int lambda = wrapOnce(gView.lonAngle + offset);
    *u = int((uint32_t(lambda) * uint32_t(t.width - 1)) >> 16);
    *v = int((uint32_t(lat + 16384) * uint32_t(t.width - 1)) >> 16);
}

// One globe pixel, right of or on the centre column (d = x − 120 ≥ 0) or its mirror left of
// it, coloured by the rules; a circle dash is judged at the right one and covers both.
uint16_t globePixel(const TexelSource& t, int d, int y, bool mirror) {
    const int w = t.width, h = t.height, r = gView.radius;
    int u = 0, v = 0;
    globeTexel(t, d, y, &u, &v);
    const int tol = 2 * h / (7 * r), e = h / 2, t1 = int(h * 0.13027777777777777),
              t2 = int(h * 0.3696111111111111);
    auto close = [&](int a, int b) { return std::abs(a - b) <= tol; };
    if (gOptions.tropicPolarCircles && (u & 15) < 8) {
        if (close(v, e - t1) || close(v, e + t1)) return gOptions.tropicColor;
        if (close(v, e - t2) || close(v, e + t2)) return gOptions.arcticColor;
    }
    if (mirror) globeTexel(t, -d, y, &u, &v);
    const int g = std::max(1, 15 * w / 360), ru = u % g, rv = v % g;
    if (gOptions.latLonGrid && (ru <= tol || ru >= g - tol || rv <= tol || rv >= g - tol ||
                                close(u, w / 2) || close(v, h / 2)))
        return u < 2 || u > w - 2 || std::abs(u - w / 2) < 2 || std::abs(v - h / 2) < 2
                   ? gOptions.equatorColor
                   : gOptions.gridColor;
    if (gOptions.textureSmoothing && u != 0 && v != 0) return boxMean(t, u - 1, v - 1, 2);
    return t.texels[size_t(v) * w + u];
}

// On the 1024-wide maps the 15° grid (42 texels) misses the equator and the prime meridian;
// both used to be left out.
TEST_F(FastPaths, GlobeMatchesThePerPixelInversion) {
    const struct {
        int width, lon, lat, radius;
        bool lines, smooth;
    } cases[] = {{1024, 0, 0, 118, false, false},        {1024, 16384, 3000, 118, true, false},
                 {1024, 65536, -16384, 60, false, true}, {1024, 40000, 16384, 118, true, true},
                 {1024, 1000, -9000, 119, true, false},  {1024, 30000, 12000, 300, false, false},
                 {1024, 52000, 500, 651, true, true},    {6, 20000, 4000, 118, true, true},
                 {2, 9000, -2000, 40, true, true}};
    for (const auto& c : cases)
        for (bool wide : {true, false}) {
            SCOPED_TRACE(testing::Message() << "view " << c.lon << "," << c.lat << " R " << c.radius
                                            << " wide " << wide);
            if (gMapSet.textureWidth != c.width) makeNoise(c.width, c.width / 2);
            const TexelSource t = currentTexture();
            platform::allowWideLanes(wide);
            gView.lonAngle = c.lon, gView.latAngle = c.lat, gView.radius = c.radius;
            gOptions.latLonGrid = gOptions.tropicPolarCircles = c.lines;
            gOptions.textureSmoothing = c.smooth;
            buildColumnTables();
            renderSphere();
            for (int y = 0; y < kH; ++y)
                for (int d = 0; d < 120; ++d) {
                    if (!onDisc(c.radius, 120 + d, y)) continue;
                    ASSERT_EQ(at(120 + d, y), globePixel(t, d, y, false)) << "+" << d << "," << y;
                    if (d > 0)
                        ASSERT_EQ(at(120 - d, y), globePixel(t, d, y, true)) << -d << "," << y;
                }
        }
    platform::allowWideLanes(true);
}

// One shaded texel with the elevation worked out at the texel and every channel on its own.
uint16_t shadedTexel(Compositing kind, uint32_t m, uint32_t o, uint32_t f, uint32_t b) {
    uint32_t c[3];
    for (int i = 0; i < 3; ++i) {
        uint32_t mc = (m >> (16 - 8 * i)) & 255, oc = (o >> (16 - 8 * i)) & 255;
        int op = gOptions.overlayOperation;
        if (kind == Compositing::Shaded)
            c[i] = (mc * f) >> 8;
        else if (op == kOverlayDayNight)
            c[i] = (oc * (256 - f) + mc * f) / 256;
        else
            c[i] = op >= 0 && op < kOverlayDayNight ? overlayChannel(mc, oc, op) * f / 256 : 0;
    }
    return packBrightness(c[0], c[1], c[2], b);
}

TEST_F(FastPaths, ShadingTablesMatchTheElevationAtEveryTexel) {
    const int w = 360, h = 180;
    std::mt19937 random(11);
    std::vector<uint32_t> day(w * h), night(w * h);
    for (auto& p : day) p = random() & 0xFFFFFF;
    for (auto& p : night) p = random() & 0xFFFFFF;
    std::vector<uint16_t> texture(w * h);
    const int64_t instants[] = {1813575600000, 1798761600000, 1805040000000, 1822000000000};
    const struct {
        Compositing kind;
        int operation, twilight, specularity, darkness, brightness;
    } cases[] = {{Compositing::Shaded, 5, -1028, 90, 20, 100},
                 {Compositing::Shaded, 5, 1029, 50, 100, 73},
                 {Compositing::ShadedOverlay, 5, -1030, 0, 20, 100},
                 {Compositing::ShadedOverlay, 5, 1028, 100, 0, 41},
                 {Compositing::ShadedOverlay, 0, -1028, 90, 20, 100},
                 {Compositing::ShadedOverlay, 1, 1030, 30, 60, 100},
                 {Compositing::ShadedOverlay, 2, -1029, 90, 20, 0},
                 {Compositing::ShadedOverlay, 3, -1028, 70, 35, 100},
                 {Compositing::ShadedOverlay, 4, 1029, 90, 20, 88},
                 {Compositing::ShadedOverlay, 9, -1028, 90, 20, 100}};
    for (const auto& c : cases) {
        gOptions.overlayOperation = c.operation;
        gOptions.twilightType = c.twilight;
        gOptions.shadowSpecularity = c.specularity;
        gOptions.shadowDarkness = c.darkness;
        gOptions.textureBrightness = c.brightness;
        for (int64_t instant : instants)
            for (bool wide : {true, false}) {
                platform::allowWideLanes(wide);
                composeDecoded(c.kind, day.data(), night.data(), w, h, instant, texture.data());
                const SunVector sun = updateSunPositionAt(instant);
                ShadeTerms terms{twilightThreshold(c.twilight), transitionHalfWidth(c.specularity),
                                 nightLevel(c.darkness)};
                if (c.kind == Compositing::ShadedOverlay && c.operation == kOverlayDayNight)
                    terms.night = 0;
                const uint32_t b = brightnessMultiplier(c.brightness);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        int32_t lat = (h / 2 - y) * 32768 / h, lon = (x - w / 2) * 65536 / w;
                        auto f = uint32_t(shadeFactor(sunElevationAt(lat, lon, sun), terms));
                        const size_t i = size_t(y) * w + x;
                        ASSERT_EQ(texture[i], shadedTexel(c.kind, day[i], night[i], f, b))
                            << "operation " << c.operation << " twilight " << c.twilight << " at "
                            << x << "," << y << " instant " << instant;
                    }
            }
    }
    platform::allowWideLanes(true);
}

}  // namespace
