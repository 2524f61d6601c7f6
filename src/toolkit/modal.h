// The toolkit's process-wide pointers and the messages dialogs answer with: the modal dialog
// (exit confirmation or message box) that owns every stroke while it exists, and the
// widgets holding the stylus capture and the keyboard focus.
#pragma once

#include <cstdint>

#include "toolkit/widget.h"

constexpr uint32_t MSG_DIALOG_DONE = 1224;  // wParam: the pressed button's command
constexpr uint32_t MSG_SOFT_KEY = 2024;     // wParam, lParam: as a key operation's

inline Widget* gModalDialog = nullptr;    // owned; deleted by the window
inline Widget* gCaptureWidget = nullptr;  // not owned
inline Widget* gFocusWidget = nullptr;    // not owned

// Deletes the modal dialog, if any, and clears the pointer. The capture and focus pointers
// are cleared when they name the dialog or a widget it holds.
void closeModalDialog();
