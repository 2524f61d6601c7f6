// Slider: a value between a minimum and a maximum set by dragging a knob along a track or by
// tapping the track's ends, which step it. Its owner reads `value`; no handler is called.
#pragma once

#include <cstdint>

#include "toolkit/widget.h"

class Slider : public Widget {
  public:
    // Reset, then the track (pixels), the caption (borrowed) at its place, the range, the
    // value and the step of the end arrows, whether the value shows as an integer, and
    // whether the track shows at all (a slider without one is a caption only).
    void setup(int trackX, int trackY, int trackWidth, int captionX, int captionY,
               const char16_t* caption, double minimum, double maximum, double value, double step,
               bool integerDisplay, bool trackShown);

    // Caption; then the track's ends, bar and knob, and the value to its right.
    void Draw() override;
    // Inside the ends: the value under the point, and the slider keeps the stroke. On an
    // end: one step down or up, within the range.
    int StylusDown(Point p, Widget** capture) override;
    // The value under the point; the range's limit beyond either end.
    int StylusMove(Point p) override;

    int32_t captionX = -1, captionY = -1;               // pixels
    const char16_t* caption = nullptr;                  // borrowed
    int32_t trackX = -1, trackY = -1, trackWidth = -1;  // pixels
    bool trackShown = false;
    bool integerDisplay = false;
    double minimum = 0, maximum = 0, value = 0, step = 0;

  private:
    // The value for a point between the ends.
    double valueAt(int px) const;
};
