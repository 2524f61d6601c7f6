// The colour swatch and the palette picker: the palette's cells and their colours, the mark
// that follows the stylus, and which swatch a stroke recolours.
#include "toolkit/color_picker.h"

#include <algorithm>

#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "toolkit/routing.h"

namespace {

constexpr uint16_t kWhite = 0xFFFF, kBlack = 0x0000;
constexpr int kLevelStep = 51;  // 8-bit component steps: 0, 51, ..., 255
constexpr int kLevels = 6;

bool inside(Point p, int x, int y, int width, int height) {
    return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height;
}

}  // namespace

void ColorSwatch::setup(int x0, int y0, int w, int h, int lx, int ly, const char16_t* text) {
    Reset();
    x = x0, y = y0, width = w, height = h;
    labelX = lx, labelY = ly;
    label = text;
}

void ColorSwatch::Draw() {
    if (!visible()) return;
    if (label) drawText(labelX, labelY, label, kWhite);
    fillRect(x, y, width, height, selected ? kWhite : kBlack);
    const int inset = selected ? 2 : 1;
    fillRect(x + inset, y + inset, width - 2 * inset, height - 2 * inset, colour);
}

int ColorSwatch::StylusDown(Point p, Widget**) {
    return inside(p, x, y, width, height) ? 1 : 0;
}

// The 18 × 12 cells are three 6 × 6 blocks across and two down, one block for each red level.
uint16_t ColorPicker::cellColour(int column, int row) {
    const int red = kLevelStep * (column / kLevels + 3 * (row / kLevels));
    const int green = kLevelStep * (column % kLevels);
    const int blue = kLevelStep * (row % kLevels);
    return static_cast<uint16_t>((red >> 3) << 11 | (green >> 2) << 5 | blue >> 3);
}

void ColorPicker::setup(int x0, int y0) {
    Reset();
    x = std::max(0, std::min(x0, gDisplay.width - width - 1));
    y = std::max(0, std::min(y0, gDisplay.height - height - 1));
}

bool ColorPicker::addSwatch(ColorSwatch* swatch) {
    return swatch && swatches.addTail(swatch);
}

void ColorPicker::Reset() {
    swatches.removeAll();
    markX = markY = -1;
    current_ = nullptr;
}

void ColorPicker::Draw() {
    if (!visible()) return;
    for (PtrNode* n = swatches.head(); n; n = n->next) static_cast<ColorSwatch*>(n->data)->Draw();
    fillRect(x, y, width, height, kBlack);
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            fillRect(x + 1 + kCellPitch * column, y + 1 + kCellPitch * row, cellSize, cellSize,
                     cellColour(column, row));
    if (markX >= 0) outlineRect(markX, markY, kCellPitch, kCellPitch, kWhite);
}

void ColorPicker::notify() {
    if (handler) handler(this, 0);
}

int ColorPicker::StylusDown(Point p, Widget** capture) {
    const WidgetInput down{WidgetInput::kDown, p};
    for (PtrNode* n = swatches.head(); n; n = n->next) {
        auto* swatch = static_cast<ColorSwatch*>(n->data);
        if (!dispatchInput(swatch, down, capture)) continue;
        if (current_) current_->selected = false;
        swatch->selected = true;
        const bool changed = swatch != current_;
        current_ = swatch;
        if (changed) notify();
        return 1;
    }
    markX = markY = -1;
    if (!StylusMove(p)) return 0;
    *capture = this;
    return 1;
}

// The box's right and bottom borders count as the last column and row.
int ColorPicker::StylusMove(Point p) {
    if (!inside(p, x, y, width, height)) return 0;
    const int column = std::min((p.x - x) / kCellPitch, kColumns - 1);
    const int row = std::min((p.y - y) / kCellPitch, kRows - 1);
    markX = x + kCellPitch * column;
    markY = y + kCellPitch * row;
    const uint16_t picked = cellColour(column, row);
    if (current_ && current_->colour != picked) {
        current_->colour = picked;
        notify();
    }
    return 1;
}

int ColorPicker::StylusUp(Point) {
    markX = markY = -1;
    return 0;
}
