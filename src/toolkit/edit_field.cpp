// Edit field drawing and strokes: the text starts 3 pixels inside the box, one 6-pixel
// column a character; the caret blinks every half second, timed when the field is drawn.
#include "toolkit/edit_field.h"

#include <algorithm>

#include "platform/clock.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"

namespace {

constexpr int kInset = 3, kMinWidth = 18, kBoxHeight = 15;
constexpr uint32_t kBlinkMs = 500;
constexpr uint16_t kFace = 0x4208, kFrame = 0xFFFF, kSelection = 0x0400, kText = 0xFFFF;

}  // namespace

void EditField::Reset() {
    edit_.setText(nullptr);
    caretVisible_ = false;
}

void EditField::setup(int x, int y, int width, int maxLength) {
    Reset();
    width_ = std::max(width, kMinWidth);
    height_ = kHeight;
    MoveTo(std::min(x, gDisplay.width - width_), std::min(y, gDisplay.height - height_));
    edit_.setup(maxLength, (width_ - 2 * kInset) / kGlyphWidth);
}

void EditField::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void EditField::setText(const char16_t* text) {
    edit_.setText(text);
    notify(kFieldChanged);
}

void EditField::notify(int code) {
    if (handler) handler(this, code);
}

void EditField::showCaret() {
    caretVisible_ = true;
    blinkTick_ = platform::tickCount();
}

void EditField::Draw() {
    if (!visible()) return;
    fillRect(x_, y_, width_, kBoxHeight, kFace);
    outlineRect(x_, y_, width_, kBoxHeight, kFrame);
    const int columns = edit_.columns(), scroll = edit_.scroll();
    if (edit_.hasSelection()) {
        const int from = std::max(std::min(edit_.anchor(), edit_.caret()) - scroll, 0);
        const int to = std::min(std::max(edit_.anchor(), edit_.caret()) - scroll, columns);
        if (from < to)
            fillRect(x_ + kInset + kGlyphWidth * from, y_ + 2, kGlyphWidth * (to - from),
                     kGlyphHeight, kSelection);
    }
    drawTextPart(x_ + kInset, y_ + (height_ - kGlyphHeight) / 2, edit_.text(), scroll, columns,
                 kText);
    if (!(flags & kFocused)) return;
    const uint32_t now = platform::tickCount();
    if (now - blinkTick_ > kBlinkMs) {
        caretVisible_ = !caretVisible_;
        blinkTick_ = now;
    }
    const int caretX = x_ + kInset + kGlyphWidth * edit_.column();
    if (caretVisible_) drawLine(caretX, y_ + 2, caretX, y_ + height_ - 2, kText, 0);
}

int EditField::columnAt(Point p) const {
    if (p.x >= x_ + width_) return edit_.columns() + 1;
    return (p.x - x_ - kInset) / kGlyphWidth;  // 0 for the inset and left of the field
}

int EditField::StylusDown(Point p, Widget** capture) {
    if (!visible() || p.x < x_ || p.y < y_ || p.x >= x_ + width_ || p.y >= y_ + height_) return 0;
    edit_.tap(columnAt(p), platform::tickCount());
    showCaret();
    *capture = this;
    return 1;
}

int EditField::StylusMove(Point p) {
    edit_.drag(columnAt(p));
    return 2;
}

int EditField::StylusUp(Point) {
    return 1;
}

void EditField::SetFocus(bool on) {
    Widget::SetFocus(on);
    if (!on) edit_.clearSelection();
}

void EditField::OnKey(int code, int kind) {
    const EditText::Result result = edit_.key(code, kind);
    showCaret();  // a key shows the caret at once
    if (result == EditText::kChanged) notify(kFieldChanged);
    if (result == EditText::kEnter) notify(kFieldEnter);
}
