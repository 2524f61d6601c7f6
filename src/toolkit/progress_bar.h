// ProgressBar: a bar filled from the left to a percentage, with the percentage written in
// its middle, drawn by start-up and by the rebuilds of the map texture. The look itself is
// raster/progress_meter.h; this is its widget.
#pragma once

#include <cstdint>

#include "raster/progress_meter.h"
#include "toolkit/widget.h"

class ProgressBar : public Widget {
  public:
    // Places the bar at the rectangle (pixels) and sets it to 0 %.
    void setup(int x, int y, int width, int height, bool showText);
    // Sets the percentage, clamped to 0..100, and the filled width and text that go with it.
    void setPercent(int percent);
    int percent() const { return meter_.percent; }
    // The unfilled part black, the filled part blue, a white frame and the text in white.
    void Draw() override;

  private:
    ProgressMeter meter_;
};
