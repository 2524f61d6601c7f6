// The options dialog: a full-screen page of the program with the title "OPTIONS", "OK",
// "Cancel" and a strip of seven pages whose controls edit the options record. It is built
// afresh from the options on every opening, on the page shown when it last closed; "OK"
// writes the controls back and applies them (map texture, route file, displayed cities),
// "Cancel" drops them. While it is open it takes the window's messages first.
#pragma once

#include <cstdint>

// Builds the dialog from the options and opens it; the window then hands it every message
// (optionsDialogMessage) until it closes. Nothing when it is open already.
void openOptionsDialog();
bool optionsDialogOpen();

// A window message while the dialog is open. True when the dialog took it (the window does
// nothing more with it): painting, the stylus, keys, the wheel, the tick (nothing moves on
// the globe meanwhile) and every command but Ctrl+Q. The dialog closes on "OK" and
// "Cancel", also given by Enter and Escape (which first closes an open drop-down list).
// Closing gives the keys back to the Find City dialog when it had them.
bool optionsDialogMessage(uint32_t msg, intptr_t wParam, intptr_t lParam);
