// Presentation through the display's signed pitches: plain, padded and rotated display
// memory, unchanged copies, black at level 0, and the fade against a per-channel reference
// computed in floating point.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/headless.h"
#include "raster/back_buffer.h"

namespace {

// A backend with the given layout, made current, with its display open and the back buffer
// filled with pseudo-random pixels.
struct Screen {
    platform::HeadlessBackend backend;
    explicit Screen(platform::DisplayProperties layout) : backend(layout) {
        platform::setBackend(&backend);
        backend.openWindow("test");
        backend.openDisplay();
        EXPECT_TRUE(readDisplayProperties());
        EXPECT_TRUE(allocateBackBuffer());
        uint32_t state = 77;
        for (int i = 0; i < gDisplay.width * gDisplay.height; ++i) {
            state = state * 1664525u + 1013904223u;
            backBuffer()[i] = static_cast<uint16_t>(state >> 16);
        }
    }
    ~Screen() {
        freeBackBuffer();
        platform::setBackend(nullptr);
    }
    std::vector<uint16_t> back() const {
        return std::vector<uint16_t>(backBuffer(), backBuffer() + gDisplay.width * gDisplay.height);
    }
};

// Each field scaled by level / 256 and rounded down, computed apart from the bit fields.
uint16_t fadedReference(uint16_t pixel, int level) {
    const double scale = level / 256.0;
    const int red = static_cast<int>(std::floor((pixel / 2048) * scale));
    const int green = static_cast<int>(std::floor((pixel / 32 % 64) * scale));
    const int blue = static_cast<int>(std::floor((pixel % 32) * scale));
    return static_cast<uint16_t>(red * 2048 + green * 32 + blue);
}

struct LayoutCase {
    const char* name;
    platform::DisplayProperties layout;
};

// Rotated: logical rows run up the physical columns of a 320 × 240 landscape memory.
const LayoutCase kLayouts[] = {
    {"plain", {240, 320, 2, 480, 16}},
    {"padded rows", {240, 320, 2, 512, 16}},
    {"mirrored", {240, 320, -2, 480, 16}},
    {"rotated, negative x pitch", {240, 320, -640, 2, 16}},
    {"upside down", {240, 320, -2, -480, 16}},
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

class PresentLayouts : public testing::TestWithParam<LayoutCase> {};

// Levels outside 0 .. 255 copy unchanged; level 0 is black.
TEST_P(PresentLayouts, FadeScalesEachField) {
    Screen screen(GetParam().layout);
    for (int level : {-1, 256, 0, 1, 8, 128, 200, 255}) {
        ASSERT_EQ(present(level), 1);
        const std::vector<uint16_t> shown = screen.backend.screen(), back = screen.back();
        ASSERT_EQ(shown.size(), back.size());
        for (size_t i = 0; i < back.size(); ++i) {
            const uint16_t want =
                level < 0 || level > 255 ? back[i] : fadedReference(back[i], level);
            ASSERT_EQ(shown[i], want) << "level " << level << " at " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, PresentLayouts, testing::ValuesIn(kLayouts));

// Nothing is presented while the display cannot be locked.
TEST(Present, FadesAre32PresentsEndingNearFull) {
    Screen screen({240, 320, 2, 480, 16});
    screen.backend.suspend();
    EXPECT_EQ(present(-1), 0);
    EXPECT_EQ(screen.backend.presents(), 0);
    screen.backend.resume();
    fadeIn();
    EXPECT_EQ(screen.backend.presents(), 32);
    // The last fade-in step is level 248.
    EXPECT_EQ(screen.backend.pixel(5, 7), fadedReference(backBuffer()[7 * 240 + 5], 248));
    fadeOut();
    EXPECT_EQ(screen.backend.presents(), 64);
    EXPECT_EQ(screen.backend.pixel(5, 7), fadedReference(backBuffer()[7 * 240 + 5], 7));
}

}  // namespace
