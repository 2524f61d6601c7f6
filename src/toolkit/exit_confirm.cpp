// The exit confirmation's layout on the dialog frame.
#include "toolkit/exit_confirm.h"

#include <new>

#include "raster/back_buffer.h"
#include "toolkit/modal.h"

namespace {

constexpr int kWidth = 193, kHeight = 58;
constexpr int kButtonWidth = 55, kButtonHeight = 16, kButtonTop = 18 + 12;
constexpr int kButtonX[3] = {7, 69, 131};  // pixels from the dialog's left edge

}  // namespace

ExitConfirmDialog::ExitConfirmDialog() {
    addChild(&exitButton);
    addChild(&suspendButton);
    addChild(&cancelButton);
}

void ExitConfirmDialog::setup() {
    Dialog::setup((gDisplay.width - kWidth) / 2, (gDisplay.height - kHeight) / 2, kWidth, kHeight,
                  kTitleBar, u"Confirm");
    Button* const buttons[3] = {&exitButton, &suspendButton, &cancelButton};
    const char16_t* const labels[3] = {u"Exit", u"Suspend", u"Cancel"};
    const int answers[3] = {kAnswerExit, kAnswerSuspend, kAnswerCancel};
    for (int i = 0; i < 3; ++i) {
        buttons[i]->setup(0, 0, kButtonWidth, kButtonHeight, labels[i], answers[i], false);
        buttons[i]->identifier = answers[i];
    }
    Layout();
}

void ExitConfirmDialog::Layout() {
    exitButton.MoveTo(x + kButtonX[0], y + kButtonTop);
    suspendButton.MoveTo(x + kButtonX[1], y + kButtonTop);
    cancelButton.MoveTo(x + kButtonX[2], y + kButtonTop);
}

void openExitConfirm(WidgetHandler onAnswer) {
    closeModalDialog();
    auto* dialog = new (std::nothrow) ExitConfirmDialog;
    if (!dialog) return;  // no memory: no dialog, the program goes on
    gModalDialog = dialog;
    dialog->setup();
    dialog->handler = onAnswer;
}
