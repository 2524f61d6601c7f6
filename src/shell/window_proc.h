// The main window procedure: the one place every message reaches, routed by the screen that
// owns the input. Returns the message's result.
#pragma once

#include <cstdint>

intptr_t windowProc(uint32_t msg, intptr_t wParam, intptr_t lParam);

// The default handling of messages nobody takes: closing destroys the window, which ends
// the loop.
intptr_t defaultWindowProc(uint32_t msg, intptr_t wParam, intptr_t lParam);
