// Drop-down list: the list hangs one pixel into the header's bottom edge and is drawn over
// whatever lies below, so its owner draws the drop-down last.
#include "toolkit/combo_box.h"

#include <algorithm>

#include "raster/draw.h"
#include "raster/font.h"
#include "toolkit/sprites.h"

namespace {

constexpr int kArrowWidth = 9, kMinWidth = 18, kMinOpenHeight = 30;
constexpr uint16_t kFace = 0x4208, kFrame = 0xFFFF, kText = 0xFFFF;

}  // namespace

void ComboBox::setup(int x, int y, int width, int openHeight, bool arrowOnly) {
    Reset();
    width_ = std::max(width, kMinWidth);
    height_ = std::max(openHeight, kMinOpenHeight);
    arrowOnly_ = arrowOnly;
    open_ = false;
    shown_ = nullptr;
    strokeTarget_ = nullptr;
    headerCharacters_ = (width_ - 12) / kGlyphWidth;
    list_.setup(x, y + kHeaderHeight - 1, width_, height_ - kHeaderHeight, false);
    x_ = x;
    y_ = y;
}

void ComboBox::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
    list_.MoveTo(x, y + kHeaderHeight - 1);
}

bool ComboBox::addItem(const char16_t* text) {
    return list_.addItem(text, true) != nullptr;
}

void ComboBox::selectByText(const char16_t* text) {
    shown_ = list_.findItem(text);
}

void ComboBox::Draw() {
    if (!visible()) return;
    if (!(flags & kFocused)) open_ = false;
    fillRect(x_, y_, width_, kHeaderHeight, kFace);
    outlineRect(x_, y_, width_, kHeaderHeight, kFrame);
    if (shown_) drawTextPart(x_ + 3, y_ + 2, shown_->text, 0, headerCharacters_, kText);
    drawSprite(sprite::kDropDown, x_ + width_ - kArrowWidth, y_, SpriteCopy::kOpaque);
    if (open_) list_.Draw();
}

int ComboBox::StylusDown(Point p, Widget** capture) {
    const int dx = p.x - x_, dy = p.y - y_;
    if (!visible() || dx < 0 || dy < 0) return 0;
    if (dy >= kHeaderHeight) {
        Widget* listCapture = nullptr;
        if (!open_ || !list_.StylusDown(p, &listCapture)) return 0;
        strokeTarget_ = listCapture;
        *capture = this;
        return 1;
    }
    if (dx >= width_ || (arrowOnly_ && dx < width_ - kArrowWidth)) return 0;
    open_ = !open_;
    strokeTarget_ = this;
    *capture = this;
    return 1;
}

int ComboBox::StylusMove(Point p) {
    if (!open_ || !strokeTarget_ || strokeTarget_ == this) return 0;
    return strokeTarget_->StylusMove(p);
}

int ComboBox::StylusUp(Point p) {
    Widget* target = strokeTarget_;
    strokeTarget_ = nullptr;
    if (!open_ || !target || target == this || !target->StylusUp(p)) return 0;
    const ListItem* chosen = list_.selectedItem();  // none after a tap below the rows
    list_.clearSelection();
    open_ = false;
    if (!chosen || chosen == shown_) return 1;
    shown_ = chosen;
    if (handler) handler(this, kListNotify);
    return 1;
}

int ComboBox::Wheel(Point p, int notches) {
    return open_ ? list_.Wheel(p, notches) : 0;
}
