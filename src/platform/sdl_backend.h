// The window backend: an SDL2 window showing the 240 × 320 display scaled by a whole
// factor; the left mouse button is the stylus and the keyboard gives the hardware buttons.
#pragma once

#include <memory>
#include <string>

#include "platform/display.h"

namespace platform {

// A backend for a window scaled by `scale` (1..8), or by the largest smaller scale at which
// the window fits the desktop (said in one line on standard error).
std::unique_ptr<Backend> makeSdlBackend(int scale);

// Shows `text` in SDL's message box, titled "Mundora"; does nothing unless a window has
// loaded SDL2.
void showSdlMessageBox(const std::string& text);

}  // namespace platform
