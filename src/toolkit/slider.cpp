// The slider's drawing and its stroke.
#include "toolkit/slider.h"

#include <algorithm>
#include <cmath>

#include "raster/draw.h"
#include "raster/font.h"
#include "toolkit/sprites.h"

namespace {

constexpr int kEndWidth = 9, kTrackInset = 12, kHitHeight = 11;  // pixels
constexpr uint16_t kBar = 0xFFFF, kDisabledBar = 0xB5B6, kGroove = 0x0018, kKnobInside = 0x4208;
constexpr uint16_t kCaption = 0xFFFF;

// Within [lo, hi], also for a range given the wrong way round (then nothing is clamped).
double within(double v, double lo, double hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

}  // namespace

void Slider::setup(int tx, int ty, int tw, int cx, int cy, const char16_t* text, double lo,
                   double hi, double v, double stepBy, bool integer, bool shown) {
    Reset();
    trackX = tx, trackY = ty, trackWidth = tw;
    captionX = cx, captionY = cy;
    caption = text;
    minimum = lo, maximum = hi, value = v, step = stepBy;
    integerDisplay = integer;
    trackShown = shown;
}

void Slider::Draw() {
    if (!visible()) return;
    if (caption) drawText(captionX, captionY, caption, kCaption);
    if (!trackShown) return;
    drawSprite(sprite::kSliderLeft, trackX, trackY, SpriteCopy::kOpaque);
    drawSprite(sprite::kSliderRight, trackX + trackWidth - kEndWidth, trackY, SpriteCopy::kOpaque);
    const int usable = trackWidth - 2 * kTrackInset;
    const uint16_t bar = enabled() ? kBar : kDisabledBar;
    fillRect(trackX + kTrackInset, trackY + 4, usable, 3, bar);
    drawLine(trackX + kTrackInset + 1, trackY + 5, trackX + kTrackInset + usable - 2, trackY + 5,
             kGroove, 0);
    const double range = std::fabs(maximum - minimum);
    const int knob =
        trackX + kTrackInset +
        (range > 0 ? static_cast<int>(usable * std::fabs(value - minimum) / range) : 0);
    fillRect(knob - 2, trackY, 5, 11, bar);
    fillRect(knob - 1, trackY + 1, 3, 9, kKnobInside);
    const int textX = trackX + trackWidth + 5, textY = trackY + 1;
    if (integerDisplay)
        drawInteger(textX, textY, static_cast<int>(value));
    else
        drawReal(textX, textY, value);
}

double Slider::valueAt(int px) const {
    const int span = trackWidth - 2 * kEndWidth;
    return minimum + (px - trackX - kEndWidth) * std::fabs(maximum - minimum) / span;
}

int Slider::StylusDown(Point p, Widget** capture) {
    if (!trackShown || p.x < trackX || p.x >= trackX + trackWidth || p.y < trackY ||
        p.y >= trackY + kHitHeight)
        return 0;
    if (p.x < trackX + kEndWidth) {
        value = within(value - step, minimum, maximum);
    } else if (p.x >= trackX + trackWidth - kEndWidth) {
        value = within(value + step, minimum, maximum);
    } else {
        value = valueAt(p.x);
        *capture = this;
    }
    return 1;
}

int Slider::StylusMove(Point p) {
    if (p.x < trackX + kEndWidth)
        value = minimum;
    else if (p.x >= trackX + trackWidth - kEndWidth)
        value = maximum;
    else
        value = valueAt(p.x);
    return 1;
}
