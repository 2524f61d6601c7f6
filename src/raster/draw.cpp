// Rectangles and Bresenham lines on the back buffer. A line first works out which of its
// steps fall on the screen and starts its loop there with the error term it would have had,
// so a line from far outside costs only its visible pixels; the loop is specialised per
// octant so the inner loop has no sign or axis tests.

#include "raster/draw.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "raster/back_buffer.h"

namespace {

// A line in driving-axis terms: d moves every step, o on some steps. Coordinates are 64-bit
// so that differences of any two ints are exact.
struct LineSteps {
    int64_t d0, o0;          // start, pixels
    int64_t D, O;            // |Δd| ≥ |Δo| ≥ 0, pixels
    int64_t dLimit, oLimit;  // screen extent along d and o, pixels
};

// Times o has stepped after k steps of the error rule (error starts at 2O − D, steps o when
// positive): ceil((2Ok − D) / 2D), written with a non-negative numerator. A line of screen
// size has that numerator well inside 64 bits, where the division costs a tenth.
int64_t oSteps(const LineSteps& s, int64_t k) {
    if (s.D < (int64_t{1} << 30)) return (2 * s.O * k + s.D - 1) / (2 * s.D);
    __int128 numerator = __int128(2) * s.O * k + s.D - 1;
    return int64_t(numerator / (2 * __int128(s.D)));
}

// First and last step k in [1, D] whose pixel lies on the screen; first > last when none.
void visibleSteps(const LineSteps& s, int dSign, int oSign, int64_t* first, int64_t* last) {
    int64_t lo = 1, hi = s.D;
    // Along d the position is d0 + dSign·k.
    if (dSign > 0)
        lo = std::max(lo, -s.d0), hi = std::min(hi, s.dLimit - 1 - s.d0);
    else
        lo = std::max(lo, s.d0 - s.dLimit + 1), hi = std::min(hi, s.d0);
    // Along o it is o0 + oSign·oSteps(k), monotonic in k: the allowed oSteps range
    // [need, allow] gives a k range by binary search.
    int64_t need = oSign > 0 ? -s.o0 : s.o0 - s.oLimit + 1;
    int64_t allow = oSign > 0 ? s.oLimit - 1 - s.o0 : s.o0;
    if (lo > hi || allow < 0 || need > allow) {
        *first = 1, *last = 0;
        return;
    }
    int64_t a = lo, b = hi + 1;  // smallest k in [lo, hi] with oSteps(k) ≥ need, else hi + 1
    while (a < b) {
        int64_t m = a + (b - a) / 2;
        (oSteps(s, m) >= need) ? b = m : a = m + 1;
    }
    int64_t start = a;
    a = lo - 1, b = hi;  // largest k in [lo, hi] with oSteps(k) ≤ allow, else lo − 1
    while (a < b) {
        int64_t m = b - (b - a) / 2;
        (oSteps(s, m) <= allow) ? a = m : b = m - 1;
    }
    *first = start, *last = a;
}

inline void plot(uint16_t* buffer, int64_t x, int64_t y, uint16_t colour) {
    if (x >= 0 && y >= 0 && x < gDisplay.width && y < gDisplay.height)
        buffer[y * gDisplay.width + x] = colour;
}

// The steps first..last of one octant. The dash counter is given as its phase within its
// period of 2·dash steps (phase ≥ dash draws).
template <int dSign, int oSign, bool xDrives>
void runLine(const LineSteps& s, int64_t first, int64_t last, int64_t dash, uint16_t colour) {
    uint16_t* buffer = backBuffer();
    int64_t o = s.o0 + oSign * oSteps(s, first - 1);
    int64_t d = s.d0 + dSign * (first - 1);
    // The error term before step `first`; it always lies in (−2D, 2O], so it fits.
    int64_t error =
        int64_t(__int128(2) * s.O * first - s.D - __int128(2) * s.D * oSteps(s, first - 1));
    int64_t period = 2 * dash, phase = dash > 0 ? (first - 1) % period : 0;
    for (int64_t k = first; k <= last; ++k) {
        if (error > 0) {
            o += oSign;
            error += 2 * (s.O - s.D);
        } else {
            error += 2 * s.O;
        }
        d += dSign;
        if (dash <= 0 || phase >= dash) {
            if (xDrives)
                plot(buffer, d, o, colour);
            else
                plot(buffer, o, d, colour);
        }
        if (dash > 0 && ++phase == period) phase = 0;
    }
}

using LineLoop = void (*)(const LineSteps&, int64_t, int64_t, int64_t, uint16_t);

LineLoop loopFor(int dSign, int oSign, bool xDrives) {
    static const LineLoop loops[8] = {
        runLine<1, 1, true>,  runLine<1, -1, true>,  runLine<-1, 1, true>,  runLine<-1, -1, true>,
        runLine<1, 1, false>, runLine<1, -1, false>, runLine<-1, 1, false>, runLine<-1, -1, false>};
    return loops[(xDrives ? 0 : 4) + (dSign < 0 ? 2 : 0) + (oSign < 0 ? 1 : 0)];
}

}  // namespace

void fillRect(int x, int y, int width, int height, uint16_t colour) {
    uint16_t* buffer = backBuffer();
    if (!buffer) return;
    int64_t left = std::max<int64_t>(x, 0),
            right = std::min<int64_t>(int64_t(x) + width, gDisplay.width);
    int64_t top = std::max<int64_t>(y, 0),
            bottom = std::min<int64_t>(int64_t(y) + height, gDisplay.height);
    for (int64_t row = top; row < bottom && left < right; ++row)
        std::fill(buffer + row * gDisplay.width + left, buffer + row * gDisplay.width + right,
                  colour);
}

void drawLine(int x0, int y0, int x1, int y1, uint16_t colour, int dash) {
    uint16_t* buffer = backBuffer();
    if (!buffer) return;
    int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
    bool xDrives = std::llabs(dx) >= std::llabs(dy);
    int dSign = (xDrives ? dx : dy) < 0 ? -1 : 1, oSign = (xDrives ? dy : dx) < 0 ? -1 : 1;
    LineSteps s{xDrives ? x0 : y0,
                xDrives ? y0 : x0,
                std::llabs(xDrives ? dx : dy),
                std::llabs(xDrives ? dy : dx),
                xDrives ? gDisplay.width : gDisplay.height,
                xDrives ? gDisplay.height : gDisplay.width};
    if (s.D > 0) {
        // A line between two points on the screen stays on it throughout.
        auto onScreen = [](int x, int y) {
            return x >= 0 && y >= 0 && x < gDisplay.width && y < gDisplay.height;
        };
        int64_t first = 1, last = s.D;
        if (!onScreen(x0, y0) || !onScreen(x1, y1)) visibleSteps(s, dSign, oSign, &first, &last);
        if (first <= last) loopFor(dSign, oSign, xDrives)(s, first, last, dash, colour);
    }
    plot(buffer, x0, y0, colour);
    if (dash <= 0) plot(buffer, x1, y1, colour);
}

void outlineRect(int x, int y, int width, int height, uint16_t colour) {
    bevelRect(x, y, width, height, colour, colour);
}

// a + b − 1 held to the int range, for edges of rectangles given with extreme sizes.
int lastPixel(int a, int b) {
    int64_t v = int64_t(a) + b - 1;
    return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void bevelRect(int x, int y, int width, int height, uint16_t light, uint16_t dark) {
    int right = lastPixel(x, width), bottom = lastPixel(y, height);
    drawLine(x, y, right, y, light, 0);
    drawLine(x, y, x, bottom, light, 0);
    drawLine(right, bottom, x, bottom, dark, 0);
    drawLine(right, bottom, right, y, dark, 0);
}
