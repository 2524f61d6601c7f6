// The composed texture against an independent sun: libnova's apparent solar position and
// sidereal time with plain spherical trigonometry give the sun's elevation at every texel,
// which must agree with the texel's day, twilight or night level. Also the overlay
// operations, brightness, darkness and interlaced maps.

#include "texture/compose.h"

#include <algorithm>
#include <cmath>

#include "../sun/libnova_sun.h"
#include "map_files.h"
#include "platform/clock.h"
#include "texture/sun.h"

namespace {

struct Instant {
    int year, month, day, hour, minute;
};

class ComposeTest : public MapFiles {
  protected:
    // Sets the clock and libnova's sun for the same instant.
    void setTime(const Instant& t) {
        platform::useManualClock(
            0, platform::millisFromUtc(t.year, t.month, t.day, t.hour, t.minute, 0));
        sun_ = novaSun(novaJulianDay(t.year, t.month, t.day, t.hour, t.minute));
    }
    // The sun's elevation in degrees at texel (x, y) of a W × H texture.
    double elevation(int x, int y, int w, int h) const {
        return novaElevation(sun_, 90.0 - 180.0 * y / h, -180.0 + 360.0 * x / w);
    }
    // The texel at the subsolar point (or its antipode).
    uint16_t sunTexel(bool antipode) const {
        double lat = antipode ? -sun_.dec : sun_.dec;
        double lon = std::remainder(sun_.ra - sun_.gast + (antipode ? 180 : 0), 360.0);
        int w = gMapSet.textureWidth, h = gMapSet.textureHeight;
        int x = std::clamp(int((lon + 180) / 360 * w), 0, w - 1);
        int y = std::clamp(int((90 - lat) / 180 * h), 0, h - 1);
        return texel(x, y);
    }
    static int green(uint16_t p) { return (p >> 5) & 0x3F; }

    NovaSun sun_{};
};

// Allowance for the almanac formula, the table arithmetic and the texel grid, degrees.
constexpr double kTolerance = 0.25;

const Instant kInstants[] = {
    {2027, 6, 21, 15, 30}, {2027, 12, 21, 4, 10}, {2026, 3, 20, 12, 0}, {2031, 9, 23, 20, 45}};

// Civil, nautical and astronomical twilight end 6°, 12° and 18° below the horizon.
TEST_F(ComposeTest, DistinctTwilightBandsFollowTheSunsElevation) {
    writeUniform("Day.gif", 720, 360, {255, 255, 255});
    gOptions.useOverlayMap = false;
    for (int type : {kTwilightCivil, kTwilightNautical, kTwilightAstro})
        for (const Instant& t : kInstants) {
            SCOPED_TRACE(type);
            gOptions.twilightType = type;
            const double band = 6.0 * (type - 1027);
            setTime(t);
            ASSERT_EQ(rebuildTexture(false), 0);
            ASSERT_TRUE(gMapSet.mapTexture);
            // f = 256, N + (256 − N) / 2 = 179 and N = 102 on white: channels 255, 178, 101.
            const int day = 255 >> 2, twilight = 178 >> 2, night = 101 >> 2;
            int counts[3] = {};
            for (int y = 0; y < 360; ++y)
                for (int x = 0; x < 720; ++x) {
                    double e = elevation(x, y, 720, 360);
                    int g = green(texel(x, y));
                    if (e > kTolerance) {
                        ASSERT_EQ(g, day) << x << "," << y << " elevation " << e;
                        ++counts[0];
                    } else if (e < -band - kTolerance) {
                        ASSERT_EQ(g, night) << x << "," << y << " elevation " << e;
                        ++counts[2];
                    } else if (e < -kTolerance && e > -band + kTolerance) {
                        ASSERT_EQ(g, twilight) << x << "," << y << " elevation " << e;
                        ++counts[1];
                    } else {
                        ASSERT_TRUE(g == day || g == twilight || g == night) << x << "," << y;
                    }
                }
            EXPECT_GT(counts[1], 1000);  // the band exists
            EXPECT_EQ(green(sunTexel(false)), day);
            EXPECT_EQ(green(sunTexel(true)), night);
        }
}

// Specularity 90 (the default), 100 and 0 spread the transition over ±9.6°, ±0.7° and ±90°.
TEST_F(ComposeTest, SmoothTransitionRisesWithTheSun) {
    writeUniform("Day.gif", 720, 360, {255, 255, 255});
    gOptions.useOverlayMap = false;  // darkness 20
    setTime(kInstants[0]);
    for (auto [specularity, halfWidthUnits] : {std::pair{90, 1753}, {100, 128}, {0, 16384}}) {
        SCOPED_TRACE(specularity);
        gOptions.shadowSpecularity = specularity;
        const double halfWidth = halfWidthUnits / 182.04444444444445;
        ASSERT_EQ(rebuildTexture(false), 0);
        std::vector<std::pair<double, int>> ramp;  // (elevation, green) inside the transition
        for (int y = 0; y < 360; ++y)
            for (int x = 0; x < 720; ++x) {
                double e = elevation(x, y, 720, 360);
                int g = green(texel(x, y));
                if (e > halfWidth + kTolerance) ASSERT_EQ(g, 63) << x << "," << y;
                if (e < -halfWidth - kTolerance) ASSERT_EQ(g, 101 >> 2) << x << "," << y;
                if (std::fabs(e) < halfWidth - kTolerance) ramp.push_back({e, g});
                // On the horizon the level is halfway between night (102) and day (256).
                if (std::fabs(e) < halfWidth / 200) ASSERT_NEAR(g, (255 * 179 >> 8) >> 2, 1);
            }
        std::sort(ramp.begin(), ramp.end());
        // Monotonic within the texel's rounding: a sun higher by 0.5° is never darker.
        for (size_t i = 0, j = 0; i < ramp.size(); ++i) {
            while (j < ramp.size() && ramp[j].first < ramp[i].first + 0.5) ++j;
            if (j < ramp.size()) ASSERT_LE(ramp[i].second, ramp[j].second) << ramp[i].first;
        }
    }
}

TEST_F(ComposeTest, DayNightOverlayShowsTheNightMapUnchangedAtNight) {
    writeUniform("Day.gif", 720, 360, {255, 255, 255});
    writeUniform("Night.gif", 720, 360, {0, 40, 128});
    setTime(kInstants[1]);  // defaults: overlay on, Day/Night, darkness 20
    ASSERT_EQ(rebuildTexture(false), 0);
    EXPECT_EQ(sunTexel(false), 0xFFFF);
    EXPECT_EQ(sunTexel(true), gifref::to565({0, 40, 128}));
    gOptions.showDayNight = false;  // unshaded Day/Night: the day map only
    ASSERT_EQ(rebuildTexture(false), 0);
    EXPECT_EQ(sunTexel(true), 0xFFFF);
}

TEST_F(ComposeTest, DarknessAndBrightnessExtremes) {
    writeUniform("Day.gif", 360, 180, {200, 180, 160});
    gOptions.useOverlayMap = false;
    setTime(kInstants[2]);
    gOptions.shadowDarkness = 100;
    ASSERT_EQ(rebuildTexture(false), 0);
    EXPECT_EQ(sunTexel(true), 0x0000);
    EXPECT_EQ(sunTexel(false), gifref::to565({200, 180, 160}));
    gOptions.shadowDarkness = 0;  // night at half the day's level
    ASSERT_EQ(rebuildTexture(false), 0);
    EXPECT_EQ(sunTexel(true), gifref::to565({100, 90, 80}));
    gOptions.shadowDarkness = 20;
    gOptions.textureBrightness = 0;
    ASSERT_EQ(rebuildTexture(false), 0);
    const uint16_t* t = gMapSet.mapTexture.get();
    EXPECT_TRUE(std::all_of(t, t + 360 * 180, [](uint16_t p) { return p == 0; }));
}

TEST_F(ComposeTest, OverlayOperationsPerChannel) {
    const gifref::Rgb m{0xC0, 0x30, 0x96}, o{0x30, 0xA0, 0x5A};
    writeUniform("Day.gif", 64, 32, m);
    writeUniform("Night.gif", 64, 32, o);
    gOptions.showDayNight = false;
    struct Case {
        int op;
        gifref::Rgb expected;  // worked out by hand per channel
    } cases[] = {{0, {0xF0, 0xB0, 0xDE}}, {1, {0x00, 0x20, 0x12}}, {2, {0xF0, 0x90, 0xCC}},
                 {3, {120, 104, 120}},    {4, {204, 178, 187}},    {5, m},
                 {7, {0, 0, 0}}};
    for (const Case& c : cases) {
        gOptions.overlayOperation = c.op;
        ASSERT_EQ(rebuildTexture(false), 0);
        EXPECT_EQ(texel(10, 10), gifref::to565(c.expected)) << "operation " << c.op;
    }
}

TEST_F(ComposeTest, InterlacedMapsKeepTheirRowOrder) {
    std::vector<gifref::Rgb> palette;
    for (int i = 0; i < 40; ++i) palette.push_back({uint8_t(i * 6), uint8_t(255 - i * 6), 77});
    gOptions.showDayNight = false;
    gOptions.useOverlayMap = false;
    for (bool interlaced : {false, true}) {
        writeMap(
            "Day.gif", 80, 40, palette, [](int, int y) { return uint8_t(y); }, interlaced);
        ASSERT_EQ(rebuildTexture(false), 0);
        for (int y = 0; y < 40; ++y)
            ASSERT_EQ(texel(3, y), gifref::to565(palette[y])) << "row " << y << " " << interlaced;
    }
    // The row each stored row of an interlaced map goes to, against the four passes.
    for (int h : {1, 2, 3, 5, 8, 9, 17, 40, 511}) {
        std::vector<int> order = gifref::storedRowOrder(h, true);
        for (int i = 0; i < h; ++i) ASSERT_EQ(interlacedRow(i, h), order[i]) << h << " " << i;
    }
}

// The rebuild streams rows from the files; its texture must be what the decoded-map path
// (checked texel by texel in fast_paths_test) gives for the same maps and moment.
TEST_F(ComposeTest, StreamedRebuildMatchesTheDecodedMaps) {
    writeUniform("Day.gif", 360, 180, {255, 255, 255});
    gOptions.useOverlayMap = false;
    gOptions.shadowSpecularity = 0;  // the ramp spans the globe: every elevation shows
    setTime(kInstants[3]);
    ASSERT_EQ(rebuildTexture(false), 0);
    std::vector<uint32_t> white(360 * 180, 0xFFFFFF);
    std::vector<uint16_t> decoded(360 * 180);
    composeDecoded(Compositing::Shaded, white.data(), nullptr, 360, 180, platform::utcMillis(),
                   decoded.data());
    for (int i = 0; i < 360 * 180; ++i) ASSERT_EQ(decoded[i], gMapSet.mapTexture[i]) << i;
}

}  // namespace
