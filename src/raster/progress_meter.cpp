// Drawing of the progress bar's look; the widget wrapper lives in the toolkit.

#include "raster/progress_meter.h"

#include <algorithm>
#include <cstdio>

#include "raster/draw.h"
#include "raster/font.h"

void setupProgressMeter(ProgressMeter* meter, int x, int y, int width, int height, bool showText) {
    *meter = ProgressMeter{};
    meter->x = x, meter->y = y, meter->width = width, meter->height = height;
    meter->showText = showText;
    setProgressMeterPercent(meter, 0);
}

void setProgressMeterPercent(ProgressMeter* meter, int percent) {
    meter->percent = std::clamp(percent, 0, 100);
    meter->filled = int32_t(int64_t(meter->width) * meter->percent / 100);
    char ascii[8];
    int n = std::snprintf(ascii, sizeof ascii, "%d %%", int(meter->percent));
    for (int i = 0; i <= n; ++i) meter->text[i] = char16_t(ascii[i]);
    meter->textX = std::max(0, (meter->width - kGlyphWidth * n) / 2);
    meter->textY = std::max(0, (meter->height - kGlyphHeight) / 2);
}

void drawProgressMeter(const ProgressMeter& m) {
    // The unfilled part starts where the filled part ends (not one pixel left of it, which
    // would paint outside the bar when nothing is filled yet).
    fillRect(m.x + m.filled, m.y, m.width - m.filled, m.height, 0x0000);
    fillRect(m.x, m.y, m.filled, m.height, 0x001F);
    outlineRect(m.x, m.y, m.width, m.height, 0xFFFF);
    if (m.showText) drawText(m.x + m.textX, m.y + m.textY, m.text, 0xFFFF);
}
