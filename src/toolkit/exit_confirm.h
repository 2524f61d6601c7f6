// The "Confirm" dialog of the Close... command: Exit, Suspend or Cancel. A click on a button
// posts MSG_DIALOG_DONE with 2020, 2021 or 2015 and the window's exit handler; the window
// then deletes the dialog and carries the answer out.
#pragma once

#include "toolkit/widget.h"

constexpr int kAnswerExit = 2020;
constexpr int kAnswerSuspend = 2021;
constexpr int kAnswerCancel = 2015;

class ExitConfirmDialog : public Widget {
  public:
    // Centred on the screen, 193 × 58; `onAnswer` is passed back with the answer.
    explicit ExitConfirmDialog(WidgetHandler onAnswer);

    void Draw() override;
    int StylusDown(Point p, Widget** capture) override;
    int StylusMove(Point p) override;
    int StylusUp(Point p) override;

  private:
    // The button under `p`, 0..2, or −1.
    int buttonAt(Point p) const;

    int x_, y_;            // top-left corner, screen pixels
    int pressed_ = -1;     // button pressed by the current stroke, −1 none
    bool inside_ = false;  // the stylus is still over the pressed button
};

// Opens the confirmation as the modal dialog, replacing any modal dialog already open.
void openExitConfirm(WidgetHandler onAnswer);
