// Scroll bar geometry: a 9-pixel arrow at each end, the track between them and the thumb
// in it, sized to the visible page but never shorter than kMinThumb pixels.
#include "toolkit/scroll_bar.h"

#include <algorithm>

#include "base/redraw.h"
#include "platform/clock.h"
#include "raster/draw.h"
#include "toolkit/sprites.h"

namespace {

constexpr int kArrow = ScrollBar::kThickness;
constexpr uint32_t kFirstRepeatMs = 500, kRepeatMs = 50;
constexpr uint16_t kTrough = 0x0000, kFrame = 0xFFFF, kThumb = 0xFDA8;

}  // namespace

void ScrollBar::setup(int minimum, int maximum, int page, int smallStep, int length,
                      bool horizontal) {
    minimum_ = minimum;
    maximum_ = maximum;
    page_ = page;
    smallStep_ = smallStep;
    length_ = length;
    horizontal_ = horizontal;
    setPosition(position_);
}

void ScrollBar::setPosition(int position) {
    position_ = std::min<int64_t>(position, int64_t(maximum_) - page_ + 1);
    if (position_ < minimum_ || position_ > maximum_) position_ = minimum_;
    computeThumb();
}

void ScrollBar::computeThumb() {
    const int64_t range = int64_t(maximum_) - minimum_ + 1;
    int64_t track = length_ - 2 * kArrow;
    thumbOffset_ = thumbLength_ = -1;
    if (position_ < minimum_ || position_ > maximum_ || range <= 0 || track <= 0) return;
    int64_t thumb = std::min<int64_t>(int64_t(page_) * track / range, track);
    if (thumb < kMinThumb) {
        track -= kMinThumb - thumb;  // the short thumb's extra pixels come off its travel
        thumb = kMinThumb;
    }
    thumbLength_ = int32_t(thumb);
    thumbOffset_ = int32_t((int64_t(position_) - minimum_) * std::max<int64_t>(track, 0) / range);
}

bool ScrollBar::onThumb(int along) const {
    return along >= thumbOffset_ + kArrow && along < thumbOffset_ + kArrow + thumbLength_;
}

void ScrollBar::Draw() {
    if (!visible() || thumbLength_ < 0) return;
    const uint32_t now = platform::tickCount();
    if (repeating() && onThumb(heldAlong_)) repeatDelay_ = -1;  // a page step reached the stylus
    if (repeating() && now - repeatTick_ > uint32_t(repeatDelay_)) {
        setPosition(position_ + repeatStep_);
        repeatTick_ = now;
        repeatDelay_ = kRepeatMs;
    }
    if (repeating()) gRedraw = 1;  // the next repeat needs a frame
    const int track = length_ - 2 * kArrow;
    if (horizontal_) {
        fillRect(x_ + kArrow - 1, y_, track + 2, kArrow, kTrough);
        outlineRect(x_ + kArrow - 1, y_, track + 2, kArrow, kFrame);
        fillRect(x_ + kArrow + 1 + thumbOffset_, y_ + 2, thumbLength_ - 1, 5, kThumb);
    } else {
        fillRect(x_, y_ + kArrow - 1, kArrow, track + 2, kTrough);
        outlineRect(x_, y_ + kArrow - 1, kArrow, track + 2, kFrame);
        fillRect(x_ + 2, y_ + kArrow + 1 + thumbOffset_, 5, thumbLength_ - 1, kThumb);
    }
    drawArrows();
}

void ScrollBar::drawArrows() const {
    if (horizontal_) {
        drawSprite(sprite::kScrollLeft, x_, y_, SpriteCopy::kOpaque);
        drawSprite(sprite::kScrollRight, x_ + length_ - kArrow, y_, SpriteCopy::kOpaque);
    } else {
        drawSprite(sprite::kScrollUp, x_, y_, SpriteCopy::kOpaque);
        drawSprite(sprite::kScrollDown, x_, y_ + length_ - kArrow, SpriteCopy::kOpaque);
    }
}

int ScrollBar::StylusDown(Point p, Widget** capture) {
    repeatStep_ = 0;
    dragOffset_ = -1;
    const int a = along(p), c = across(p);
    if (!visible() || thumbLength_ < 0 || c < 0 || c >= kArrow || a < 0 || a >= length_) return 0;
    *capture = this;
    heldAlong_ = a;
    int step;
    if (a < kArrow)
        step = -smallStep_;
    else if (a >= length_ - kArrow)
        step = smallStep_;
    else if (onThumb(a)) {
        dragOffset_ = a - thumbOffset_ - kArrow;
        return 1;
    } else
        step = a < thumbOffset_ + kArrow ? -page_ : page_;
    setPosition(position_ + step);
    repeatStep_ = step;
    repeatTick_ = platform::tickCount();
    repeatDelay_ = kFirstRepeatMs;
    return 1;
}

int ScrollBar::StylusMove(Point p) {
    const int a = along(p), c = across(p);
    if (repeatStep_ != 0) {
        heldAlong_ = a;
        const bool off = c < 0 || c >= kArrow || a < 0 || a >= length_ || onThumb(a);
        if (off)
            repeatDelay_ = -1;
        else if (repeatDelay_ < 0) {
            repeatTick_ = platform::tickCount();
            repeatDelay_ = kRepeatMs;
        }
        return 1;
    }
    if (dragOffset_ < 0) return 0;
    const int t = a - dragOffset_, track = length_ - 2 * kArrow;
    const int before = position_;
    if (t >= length_ - kArrow)
        setPosition(maximum_);
    else if (t < kArrow)
        setPosition(minimum_);
    else
        setPosition(int(minimum_ + (int64_t(maximum_) - minimum_ + 1) * (t - kArrow) / track));
    return position_ != before ? 2 : 1;
}

int ScrollBar::StylusUp(Point) {
    repeatStep_ = 0;
    repeatTick_ = 0;
    repeatDelay_ = 0;
    dragOffset_ = -1;
    return 0;
}

void ScrollBar::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}
