// A small modal dialog drawn in the toolkit's colours: title bar, body and three buttons.
#include "toolkit/exit_confirm.h"

#include <cstdint>

#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "toolkit/modal.h"

namespace {

constexpr int kWidth = 193, kHeight = 58, kTitleHeight = 18;
constexpr int kButtonWidth = 55, kButtonHeight = 16, kButtonTop = kTitleHeight + 12;
constexpr int kButtonX[3] = {7, 69, 131};
constexpr int kAnswers[3] = {kAnswerExit, kAnswerSuspend, kAnswerCancel};
const char16_t* const kLabels[3] = {u"Exit", u"Suspend", u"Cancel"};

constexpr uint16_t kTitleBar = 0xD900, kBody = 0xC618, kButtonFace = 0xE71C;
constexpr uint16_t kLight = 0xFFFF, kDark = 0x4208, kText = 0x0000;

int textWidth(const char16_t* s) {
    int n = 0;
    while (s[n]) ++n;
    return n * kGlyphWidth;
}

}  // namespace

ExitConfirmDialog::ExitConfirmDialog(WidgetHandler onAnswer)
    : x_((gDisplay.width - kWidth) / 2), y_((gDisplay.height - kHeight) / 2) {
    handler = onAnswer;
}

void ExitConfirmDialog::Draw() {
    fillRect(x_, y_, kWidth, kHeight, kBody);
    fillRect(x_, y_, kWidth, kTitleHeight, kTitleBar);
    drawText(x_ + 4, y_ + 4, u"Confirm", 0xFFFF);
    outlineRect(x_, y_, kWidth, kHeight, kDark);
    for (int i = 0; i < 3; ++i) {
        const int bx = x_ + kButtonX[i], by = y_ + kButtonTop;
        const bool down = pressed_ == i && inside_;
        fillRect(bx, by, kButtonWidth, kButtonHeight, down ? kBody : kButtonFace);
        bevelRect(bx, by, kButtonWidth, kButtonHeight, down ? kDark : kLight,
                  down ? kLight : kDark);
        drawText(bx + (kButtonWidth - textWidth(kLabels[i])) / 2 + down, by + 3 + down, kLabels[i],
                 kText);
    }
}

int ExitConfirmDialog::buttonAt(Point p) const {
    for (int i = 0; i < 3; ++i) {
        const int bx = x_ + kButtonX[i], by = y_ + kButtonTop;
        if (p.x >= bx && p.x < bx + kButtonWidth && p.y >= by && p.y < by + kButtonHeight) return i;
    }
    return -1;
}

// A modal dialog takes every stroke: a press beside its buttons does nothing.
int ExitConfirmDialog::StylusDown(Point p, Widget** capture) {
    pressed_ = buttonAt(p);
    inside_ = pressed_ >= 0;
    *capture = this;
    return 1;
}

int ExitConfirmDialog::StylusMove(Point p) {
    const bool inside = pressed_ >= 0 && buttonAt(p) == pressed_;
    if (inside == inside_) return 1;
    inside_ = inside;
    return 2;
}

int ExitConfirmDialog::StylusUp(Point p) {
    const int clicked = pressed_ >= 0 && buttonAt(p) == pressed_ ? pressed_ : -1;
    pressed_ = -1;
    inside_ = false;
    if (clicked < 0) return 0;
    platform::postMessage(MSG_DIALOG_DONE, kAnswers[clicked], reinterpret_cast<intptr_t>(handler));
    return 1;
}

void openExitConfirm(WidgetHandler onAnswer) {
    closeModalDialog();
    gModalDialog = new ExitConfirmDialog(onAnswer);
}
