// ScrollBar: a horizontal or vertical bar with two arrows and a thumb over a range of whole
// units, of which `page` are visible at once. A held arrow or page area repeats, timed by
// the tick count each time the bar is drawn, so the bar needs frames while it is held (it
// asks for them itself). Lists own their bars; the bar notifies nobody.
#pragma once

#include <cstdint>

#include "toolkit/widget.h"

class ScrollBar : public Widget {
  public:
    static constexpr int kThickness = 9;  // pixels across, and the arrows' length
    static constexpr int kMinThumb = 4;   // pixels: a thumb is never shorter

    // Range minimum .. maximum (whole units), units visible at once, the arrow step, the
    // bar's length in pixels and its direction. Keeps the position.
    void setup(int minimum, int maximum, int page, int smallStep, int length, bool horizontal);
    // Clamped so that a full page stays visible: not above maximum − page + 1, and the
    // minimum when that leaves the range.
    void setPosition(int position);
    int position() const { return position_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int page() const { return page_; }
    // Pixels from the end of the first arrow's track; −1 when the bar cannot be drawn.
    int thumbOffset() const { return thumbOffset_; }
    int thumbLength() const { return thumbLength_; }
    // True while an arrow or page area is held and repeating (not paused).
    bool repeating() const { return repeatStep_ != 0 && repeatDelay_ >= 0; }

    void Draw() override;
    int StylusDown(Point p, Widget** capture) override;
    int StylusMove(Point p) override;
    int StylusUp(Point p) override;
    void MoveTo(int x, int y) override;

  private:
    void computeThumb();
    // The point's offset from the bar's start along its axis, and across it.
    int along(Point p) const { return horizontal_ ? p.x - x_ : p.y - y_; }
    int across(Point p) const { return horizontal_ ? p.y - y_ : p.x - x_; }
    bool onThumb(int along) const;
    void drawArrows() const;

    int32_t minimum_ = 0, maximum_ = 0, position_ = 0;
    int32_t smallStep_ = 1, page_ = 1;
    int32_t thumbOffset_ = -1, thumbLength_ = -1;  // pixels
    bool horizontal_ = false;
    int32_t length_ = 0;       // pixels
    int32_t x_ = -1, y_ = -1;  // screen pixels
    int32_t repeatStep_ = 0;   // units a repeat moves; 0 when not repeating
    uint32_t repeatTick_ = 0;  // tick count at the last repeat (or the press)
    int32_t repeatDelay_ = 0;  // milliseconds until the next repeat, −1 while paused
    int32_t dragOffset_ = -1;  // pixels from the thumb's start to the stylus; −1 no drag
    int32_t heldAlong_ = -1;   // the held stylus along the bar, pixels
};
