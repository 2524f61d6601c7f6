// The toolkit's message box: a modal dialog with a title, a few lines of text and an OK
// button. Closing it posts MSG_DIALOG_DONE with 2014 and the handler given at opening, so
// that the window can delete it and then carry on (for example open the options).
#pragma once

#include <string>

#include "toolkit/widget.h"

constexpr int kAnswerOk = 2014;

class MessageBoxDialog : public Widget {
  public:
    // `text` may hold '\n'; lines longer than the box are wrapped at spaces.
    MessageBoxDialog(const char* text, const char* title, WidgetHandler onClose);

    void Draw() override;
    int StylusDown(Point p, Widget** capture) override;
    int StylusMove(Point p) override;
    int StylusUp(Point p) override;

    const std::u16string& text() const { return text_; }

  private:
    bool onButton(Point p) const;

    std::u16string title_, text_;
    std::u16string lines_[8];
    int lineCount_ = 0;
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;  // screen pixels
    bool pressed_ = false, inside_ = false;
};

// Opens a message box as the modal dialog, replacing any modal dialog already open. The
// title is "ERROR" when none is given.
void showMessage(const char* text, const char* title, WidgetHandler onClose);

// The message box that is open, or null.
MessageBoxDialog* openMessageBox();
