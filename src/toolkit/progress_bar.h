// ProgressBar: a bar filled from the left to a percentage, with the percentage written in
// its middle, drawn by start-up and by the rebuilds of the map texture.
#pragma once

#include <cstdint>

#include "toolkit/widget.h"

class ProgressBar : public Widget {
  public:
    // Places the bar at the rectangle (pixels) and sets it to 0 %.
    void setup(int x, int y, int width, int height, bool showText);
    // Sets the percentage, clamped to 0..100, and the filled width and text that go with it.
    void setPercent(int percent);
    int percent() const { return percent_; }
    // The unfilled part black, the filled part blue, a white frame and the text in white.
    void Draw() override;

  private:
    int32_t x_ = -1, y_ = -1, width_ = -1, height_ = -1;  // pixels
    int32_t percent_ = 0;                                 // 0..100
    int32_t filled_ = 0;                                  // pixels from the left
    int32_t textX_ = 0, textY_ = 0;                       // text offset in the bar, pixels
    char16_t text_[8] = {};                               // "100 %"
    bool showText_ = false;
};
