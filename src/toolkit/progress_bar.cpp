// The progress bar control: a widget around the progress meter's look.

#include "toolkit/progress_bar.h"

void ProgressBar::setup(int x, int y, int width, int height, bool showText) {
    Reset();
    setupProgressMeter(&meter_, x, y, width, height, showText);
}

void ProgressBar::setPercent(int percent) {
    setProgressMeterPercent(&meter_, percent);
}

void ProgressBar::Draw() {
    if (!visible()) return;
    drawProgressMeter(meter_);
}
