// Lines and rectangles on the back buffer against independent references: a plain
// step-by-step Bresenham on a bitmap (every octant, dashes, endpoints off the screen), the
// nearest-pixel property of the ideal line for huge coordinates, and brute-force rectangles.

#include "raster/draw.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "screen.h"

namespace {

constexpr int kW = 240, kH = 320;

// The line rule written out step by step, without any skipping ahead: error 2O − D, o steps
// while the error is positive, the dash counter counted down pixel by pixel.
std::vector<uint16_t> referenceLine(long x0, long y0, long x1, long y1, uint16_t c, int dash) {
    std::vector<uint16_t> bitmap(kW * kH, 0);
    auto set = [&](long x, long y) {
        if (x >= 0 && y >= 0 && x < kW && y < kH) bitmap[y * kW + x] = c;
    };
    long dx = x1 - x0, dy = y1 - y0;
    bool xDrives = std::labs(dx) >= std::labs(dy);
    long D = std::labs(xDrives ? dx : dy), O = std::labs(xDrives ? dy : dx);
    long sd = (xDrives ? dx : dy) < 0 ? -1 : 1, so = (xDrives ? dy : dx) < 0 ? -1 : 1;
    long d = xDrives ? x0 : y0, o = xDrives ? y0 : x0, error = 2 * O - D;
    int counter = dash;
    for (long i = 0; i < D; ++i) {
        if (error > 0) {
            o += so;
            error += 2 * (O - D);
        } else {
            error += 2 * O;
        }
        d += sd;
        if (counter <= 0) xDrives ? set(d, o) : set(o, d);
        if (--counter <= -dash) counter = dash;
    }
    set(x0, y0);
    if (dash == 0) set(x1, y1);
    return bitmap;
}

using DrawTest = ScreenTest;

// Random lines: every octant, dashes 0 .. 5, ends off the screen; first one of zero length.
TEST_F(DrawTest, LinesMatchTheStepByStepRuleInEveryOctant) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coord(-300, 600), dashes(0, 5);
    for (int i = 0; i < 3000; ++i) {
        int x0 = coord(random), y0 = coord(random), x1 = coord(random), y1 = coord(random);
        if (i == 0) x0 = x1 = 5, y0 = y1 = 7;
        int dash = i % 3 ? 0 : dashes(random);
        clear();
        drawLine(x0, y0, x1, y1, 0xF800, dash);
        int diff = firstDifference(referenceLine(x0, y0, x1, y1, 0xF800, dash));
        ASSERT_EQ(diff, -1) << "line " << x0 << "," << y0 << " to " << x1 << "," << y1 << " dash "
                            << dash << ": pixel " << diff % kW << "," << diff / kW;
    }
}

// For lines too long for the step-by-step reference: the pixel of each step is the ideal
// line's position along the other axis, rounded to the nearest pixel with halves rounded
// towards the start; nothing else is set.
void expectNearestPixels(const uint16_t* buffer, long long x0, long long y0, long long x1,
                         long long y1) {
    long long dx = x1 - x0, dy = y1 - y0;
    bool xDrives = std::llabs(dx) >= std::llabs(dy);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            long long d = xDrives ? x : y, o = xDrives ? y : x;
            long long dStart = xDrives ? x0 : y0, oStart = xDrives ? y0 : x0;
            long long D = xDrives ? dx : dy, O = xDrives ? dy : dx;
            long long k = (d - dStart) * (D < 0 ? -1 : 1);
            bool onLine = false;
            if (k >= 0 && k <= std::llabs(D)) {
                // s pixels along o is nearest to the ideal |O| k / |D| (halves going to the
                // smaller s): (2s − 1)|D| < 2|O|k ≤ (2s + 1)|D|.
                __int128 steps = __int128(o - oStart) * (O < 0 ? -1 : 1);
                __int128 ideal2 = __int128(2) * std::llabs(O) * k, len = std::llabs(D);
                onLine = (2 * steps - 1) * len < ideal2 && ideal2 <= (2 * steps + 1) * len;
            }
            ASSERT_EQ(buffer[y * kW + x] != 0, onLine) << "pixel " << x << "," << y;
        }
}

TEST_F(DrawTest, HugeCoordinatesDrawOnlyTheVisiblePartQuickly) {
    const long long cases[][4] = {
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
        {INT_MAX, 5, INT_MIN, 5},
        {-1000000000, -7, 1000000000, 300},
        {100, INT_MIN, 140, INT_MAX},
        {INT_MIN, 160, 120, 160},
        {-2000000000, 2000000000, 2000000000, -2000000000},
        {INT_MAX, INT_MAX, INT_MAX - 1000, INT_MAX},  // wholly off the screen
    };
    for (const auto& c : cases) {
        clear();
        drawLine(int(c[0]), int(c[1]), int(c[2]), int(c[3]), 0xFFFF, 0);
        expectNearestPixels(backBuffer(), c[0], c[1], c[2], c[3]);
    }
}

TEST_F(DrawTest, HugeDashedLineKeepsItsPhase) {
    // The dash pattern along a horizontal line from far left: step k is drawn when
    // (k − 1) mod 8 ≥ 4, counted from the start point.
    const int x0 = -1000000003;
    drawLine(x0, 50, 500, 50, 0xFFFF, 4);
    for (int x = 0; x < kW; ++x) {
        long long k = (long long)x - x0;
        EXPECT_EQ(at(x, 50) == 0xFFFF, (k - 1) % 8 >= 4) << "x " << x;
    }
}

TEST_F(DrawTest, FillIsClippedToTheScreen) {
    struct Case {
        int x, y, w, h;
    } cases[] = {{-5, 10, 20, 3},          {230, 300, 50, 50}, {240, 0, 5, 5},
                 {0, 320, 5, 5},           {-10, -10, 10, 10}, {-10, -10, 11, 11},
                 {INT_MIN, 0, INT_MAX, 4}, {100, 100, -5, 5},  {INT_MAX, INT_MAX, INT_MAX, 1}};
    for (const Case& c : cases) {
        clear();
        fillRect(c.x, c.y, c.w, c.h, 0xABCD);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                bool inside = x >= c.x && (long long)x < (long long)c.x + c.w && y >= c.y &&
                              (long long)y < (long long)c.y + c.h;
                ASSERT_EQ(at(x, y) == 0xABCD, inside) << "fill " << c.x << "," << c.y << " " << c.w
                                                      << "x" << c.h << " at " << x << "," << y;
            }
    }
}

}  // namespace
