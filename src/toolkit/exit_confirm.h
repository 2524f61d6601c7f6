// ExitConfirmDialog, the "Confirm" dialog of the Close... command: Exit, Suspend or Cancel.
// A click (or Enter for Exit, Escape for Cancel) posts MSG_DIALOG_DONE with 2020, 2021 or
// 2015 and the window's exit handler; the window then deletes it and carries the answer out.
#pragma once

#include "toolkit/button.h"
#include "toolkit/dialog.h"

class ExitConfirmDialog : public Dialog {
  public:
    ExitConfirmDialog();

    // 193 × 58, centred on the screen, with its three buttons in a row.
    void setup();
    // The buttons at their places below the title bar, after a drag.
    void Layout() override;

    Button exitButton, suspendButton, cancelButton;
};

// Replaces any modal dialog with a new confirmation whose answer goes to `onAnswer`.
void openExitConfirm(WidgetHandler onAnswer);
