// The progress bar control.

#include "toolkit/progress_bar.h"

#include <algorithm>
#include <cstdio>

#include "raster/draw.h"
#include "raster/font.h"

void ProgressBar::setup(int x, int y, int width, int height, bool showText) {
    Reset();
    x_ = x, y_ = y, width_ = width, height_ = height;
    showText_ = showText;
    setPercent(0);
}

void ProgressBar::setPercent(int percent) {
    percent_ = std::clamp(percent, 0, 100);
    filled_ = int32_t(int64_t(width_) * percent_ / 100);
    char ascii[8];
    int n = std::snprintf(ascii, sizeof ascii, "%d %%", int(percent_));
    for (int i = 0; i <= n; ++i) text_[i] = char16_t(ascii[i]);
    textX_ = std::max(0, (width_ - kGlyphWidth * n) / 2);
    textY_ = std::max(0, (height_ - kGlyphHeight) / 2);
}

void ProgressBar::Draw() {
    if (!visible()) return;
    // The unfilled part starts where the filled part ends (not one pixel left of it, which
    // would paint outside the bar when nothing is filled yet).
    fillRect(x_ + filled_, y_, width_ - filled_, height_, 0x0000);
    fillRect(x_, y_, filled_, height_, 0x001F);
    outlineRect(x_, y_, width_, height_, 0xFFFF);
    if (showText_) drawText(x_ + textX_, y_ + textY_, text_, 0xFFFF);
}
