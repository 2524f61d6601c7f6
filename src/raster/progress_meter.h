// The look of a progress bar: a bar filled from the left to a percentage with the percentage
// written in its middle. A plain record with its drawing, so that the map-texture rebuild
// (below the widget toolkit) and the toolkit's ProgressBar widget draw the same bar.
#pragma once

#include <cstdint>

struct ProgressMeter {
    int32_t x = -1, y = -1, width = -1, height = -1;  // pixels
    int32_t percent = 0;                              // 0..100
    int32_t filled = 0;                               // pixels from the left
    int32_t textX = 0, textY = 0;                     // text offset in the bar, pixels
    char16_t text[8] = {};                            // "100 %"
    bool showText = false;
};

// Places the meter at the rectangle (pixels) and sets it to 0 %.
void setupProgressMeter(ProgressMeter* meter, int x, int y, int width, int height, bool showText);
// Sets the percentage, clamped to 0..100, and the filled width and text "%d %%" with it.
void setProgressMeterPercent(ProgressMeter* meter, int percent);
// The unfilled part black, the filled part blue, a white frame and the text in white,
// into the back buffer (clipped to the screen).
void drawProgressMeter(const ProgressMeter& meter);
