// The renderers' and the shading's stepped and table-driven paths against plain per-pixel
// versions written out here from the rules: the flat map and the shading must match them
// exactly; the globe's interpolated frame may differ from its exact frame by at most one
// texel in a handful of pixels.

#include <cstdlib>
#include <random>

#include "map_files.h"
#include "platform/clock.h"
#include "texture/compose.h"
#include "texture/render_planar.h"
#include "texture/sun.h"
#include "texture/texels.h"
#include "view/redraw.h"

namespace {

class FastPaths : public MapFiles {
  protected:
    // A W × H texture of pseudo-random texels, installed as the working texture.
    void makeNoise(int w, int h) {
        gMapSet.mapTexture.reset(new uint16_t[size_t(w) * h]);
        gMapSet.textureWidth = w;
        gMapSet.textureHeight = h;
        std::mt19937 random(7);
        for (size_t i = 0; i < size_t(w) * h; ++i) gMapSet.mapTexture[i] = uint16_t(random());
        gView.mapHeight = h;
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

// One band pixel with a division per coordinate, as the flat map's rule states it.
uint16_t bandPixelByDivision(const TexelSource& t, int height, int offsetX, int offsetY, int k,
                             int r) {
    const int width = 2 * height;
    const int mx = ((offsetX + k) % width + width) % width;
    const int u = int(int64_t{mx} * t.width / width),
              v = int(int64_t{offsetY + r} * t.height / height);
    if (u == 0 || v == 0 || u >= t.width - 1 || v >= t.height - 1)
        return t.texels[size_t(v) * t.width + u];
    return height > t.height / 2 ? boxMean(t, u - 1, v - 1, 2) : boxMean(t, u - 1, v - 1, 3);
}

TEST_F(FastPaths, ZoomedFlatMapMatchesTheDivisionPerPixel) {
    const int w = 1024, h = 512;
    makeNoise(w, h);
    const TexelSource t = currentTexture();
    gView.planar = true;
    const struct {
        int height, offsetX, offsetY;
    } cases[] = {{320, 0, 0},     {320, 500, 0},    {320, 639, 0},  {333, 410, 13}, {400, 799, 80},
                 {500, 900, 180}, {512, 1000, 192}, {512, 3000, 7}, {257, 100, 0},  {256, 100, 0},
                 {200, 399, 0},   {171, 17, 0},     {120, 239, 0}};
    for (const auto& c : cases) {
        gView.planarHeight = c.height;
        gView.margin = c.height < kH ? (kH - c.height) / 2 : 0;
        gView.offsetX = c.offsetX;
        gView.offsetY = c.offsetY;
        renderPlanar();
        const int rows = std::min(c.height, kH - gView.margin);
        for (int r = 0; r < rows; ++r)
            for (int k = 0; k < kW; ++k)
                ASSERT_EQ(at(k, gView.margin + r),
                          bandPixelByDivision(t, c.height, c.offsetX, c.offsetY, k, r))
                    << "height " << c.height << " offsets " << c.offsetX << "," << c.offsetY
                    << " at " << k << "," << r;
    }
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
        for (int64_t instant : instants) {
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
                        << "operation " << c.operation << " twilight " << c.twilight << " at " << x
                        << "," << y << " instant " << instant;
                }
        }
    }
}

}  // namespace
