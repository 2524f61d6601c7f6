// Message box layout: the text wrapped to 36 characters, the box centred on the screen.
#include "toolkit/message_box.h"

#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "toolkit/modal.h"

namespace {

constexpr int kMaxColumns = 36, kLineHeight = 12, kTitleHeight = 18;
constexpr int kButtonWidth = 45, kButtonHeight = 16;
constexpr uint16_t kTitleBar = 0xD900, kBody = 0xC618, kButtonFace = 0xE71C;
constexpr uint16_t kLight = 0xFFFF, kDark = 0x4208;

std::u16string widen(const char* s) {
    std::u16string out;
    for (; s && *s; ++s) out += static_cast<char16_t>(static_cast<unsigned char>(*s));
    return out;
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(const char* text, const char* title, WidgetHandler onClose)
    : title_(widen(title && *title ? title : "ERROR")), text_(widen(text)) {
    handler = onClose;
    // Wrap each paragraph at the last space that fits.
    size_t start = 0;
    while (start <= text_.size() && lineCount_ < 8) {
        size_t end = text_.find(u'\n', start);
        if (end == std::u16string::npos) end = text_.size();
        if (end - start > kMaxColumns) {
            size_t cut = text_.rfind(u' ', start + kMaxColumns);
            end = cut != std::u16string::npos && cut > start ? cut : start + kMaxColumns;
        }
        lines_[lineCount_++] = text_.substr(start, end - start);
        start = end + 1;
    }
    width_ = kMaxColumns * kGlyphWidth + 12;
    height_ = kTitleHeight + 8 + lineCount_ * kLineHeight + 6 + kButtonHeight + 6;
    x_ = (gDisplay.width - width_) / 2;
    y_ = (gDisplay.height - height_) / 2;
}

void MessageBoxDialog::Draw() {
    fillRect(x_, y_, width_, height_, kBody);
    fillRect(x_, y_, width_, kTitleHeight, kTitleBar);
    drawText(x_ + 4, y_ + 4, title_.c_str(), 0xFFFF);
    outlineRect(x_, y_, width_, height_, kDark);
    for (int i = 0; i < lineCount_; ++i)
        drawText(x_ + 6, y_ + kTitleHeight + 8 + i * kLineHeight, lines_[i].c_str(), 0x0000);
    const int bx = x_ + (width_ - kButtonWidth) / 2, by = y_ + height_ - kButtonHeight - 6;
    const bool down = pressed_ && inside_;
    fillRect(bx, by, kButtonWidth, kButtonHeight, down ? kBody : kButtonFace);
    bevelRect(bx, by, kButtonWidth, kButtonHeight, down ? kDark : kLight, down ? kLight : kDark);
    drawText(bx + (kButtonWidth - 2 * kGlyphWidth) / 2 + down, by + 3 + down, u"OK", 0x0000);
}

bool MessageBoxDialog::onButton(Point p) const {
    const int bx = x_ + (width_ - kButtonWidth) / 2, by = y_ + height_ - kButtonHeight - 6;
    return p.x >= bx && p.x < bx + kButtonWidth && p.y >= by && p.y < by + kButtonHeight;
}

int MessageBoxDialog::StylusDown(Point p, Widget** capture) {
    pressed_ = inside_ = onButton(p);
    *capture = this;
    return 1;
}

int MessageBoxDialog::StylusMove(Point p) {
    const bool inside = pressed_ && onButton(p);
    if (inside == inside_) return 1;
    inside_ = inside;
    return 2;
}

int MessageBoxDialog::StylusUp(Point p) {
    const bool clicked = pressed_ && onButton(p);
    pressed_ = inside_ = false;
    if (!clicked) return 0;
    platform::postMessage(MSG_DIALOG_DONE, kAnswerOk, reinterpret_cast<intptr_t>(handler));
    return 1;
}

void showMessage(const char* text, const char* title, WidgetHandler onClose) {
    closeModalDialog();
    gModalDialog = new MessageBoxDialog(text, title, onClose);
}

MessageBoxDialog* openMessageBox() {
    return dynamic_cast<MessageBoxDialog*>(gModalDialog);
}
