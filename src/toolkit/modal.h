// The toolkit's process-wide pointers and the messages dialogs answer with: the modal dialog
// (exit confirmation or message box) that owns every stroke while it exists, the non-modal
// tool dialog (Find City), the one on-screen keyboard and whether it shows, and the widgets
// holding the stylus capture and the keyboard focus. Which event goes where is routing.h's.
#pragma once

#include <cstdint>

#include "toolkit/widget.h"

constexpr uint32_t MSG_DIALOG_DONE = 1224;  // wParam: the pressed button's command
constexpr uint32_t MSG_SOFT_KEY = 2024;     // wParam, lParam: as a key operation's

// The answers dialog buttons give (MSG_DIALOG_DONE's wParam); 0 means the close box.
constexpr int kAnswerOk = 2014;      // "OK" and "Yes": a message box's first button
constexpr int kAnswerCancel = 2015;  // "Cancel" and "No"; Cancel of the exit confirmation
constexpr int kAnswerExit = 2020;
constexpr int kAnswerSuspend = 2021;

// What the routing needs of the on-screen keyboard beyond a widget's operations: showing it
// with its top edge at a row, and hiding it (which lets go of its layout picture).
class OnScreenKeyboard : public Widget {
  public:
    virtual void Show(int top) = 0;  // top: y pixels
    virtual void Hide() = 0;
};

inline Widget* gModalDialog = nullptr;             // owned; deleted by the window
inline Widget* gToolDialog = nullptr;              // owned by the window (the Find City dialog)
inline OnScreenKeyboard* gSoftKeyboard = nullptr;  // the one keyboard, set by its owner
inline bool gKeyboardVisible = false;
inline Widget* gCaptureWidget = nullptr;  // not owned
inline Widget* gFocusWidget = nullptr;    // not owned
// Where the tool dialog stood when last drawn, so that it opens there again (pixels).
inline Point gToolDialogPosition = {120, 0};

// The keyboard's top edge while an edit field has the focus (y pixels).
constexpr int kKeyboardTop = 239;

// Deletes the modal dialog, if any, and clears the pointer. The capture and focus pointers
// are cleared when they name the dialog or a widget it holds.
void closeModalDialog();
