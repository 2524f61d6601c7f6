// MessageBox, the toolkit's modal message: a dialog with a title, a text broken into lines
// and one or two buttons (kind 0 "OK"; 1 "OK" and "Cancel"; 2 "Yes" and "No"). A click, or
// Enter or Escape, posts MSG_DIALOG_DONE with 2014 for the first button or 2015 for the
// second and the handler given to ShowMessage; the window then deletes it.
#pragma once

#include <string>

#include "toolkit/button.h"
#include "toolkit/dialog.h"
#include "toolkit/static_controls.h"

class MessageBox : public Dialog {
  public:
    MessageBox();

    // Sizes the box round `text` centred on the screen (at most the screen less 50 pixels
    // each way, at least as wide as its buttons), with `title` ("ERROR" when null or empty) and the buttons of `kind` (any
    // kind but 1 and 2 is 0). Both texts are copied.
    void setup(const char* text, const char* title, int kind);
    // The buttons along the bottom edge and the text inside the frame, after a drag.
    void Layout() override;

    const std::u16string& message() const { return message_; }

    int kind = 0;
    TextBlock text;
    Button first, second;

  private:
    std::u16string message_, title_;
};

// Replaces any modal dialog (without calling its handler) with a message box showing `text`,
// set up as MessageBox::setup says, whose answer goes to `handler` (may be null).
void ShowMessage(const char* text, const char* title, int kind, WidgetHandler handler);

// The modal dialog when it is a message box, else null.
MessageBox* openMessageBox();
