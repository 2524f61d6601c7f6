// The message loop of the one user-interface thread: posted messages first, then a paint
// when one was requested (many requests make one paint), then due timers, then the
// backend's input. Nothing sleeps here except the backend's wait for input.
#pragma once

#include <cstdint>

#include "platform/messages.h"

namespace platform {

void postMessage(uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0);
// Ends the loop: getMessage returns false once the messages posted before it are handled.
void postQuitMessage(int exitCode);

// Requests a paint of the whole window; any number of requests before the paint is handled
// make one WM_PAINT. A request made while a paint is handled comes after one look at input.
void invalidate();
// The longest a frame that asks for the next one waits for input in between, milliseconds.
constexpr uint32_t kFrameMs = 20;
// Marks the window painted; the WM_PAINT handler calls it, as a paint that does not keep
// the window invalid.
void validate();
bool paintPending();

// A periodic timer that posts WM_TIMER with `id` every `periodMs` milliseconds of the tick
// count. Missed periods are not queued up: one WM_TIMER stands for all that fell due.
// Returns `id` (never 0).
uint32_t setTimer(uint32_t id, uint32_t periodMs);
void killTimer(uint32_t id);
// Milliseconds until the next timer falls due (0 when one is due), kWaitForever with none.
uint32_t msUntilNextTimer();

// The next message; false when the loop has ended (the exit code is then quitCode()).
bool getMessage(Message* out);
int quitCode();

// Counts WM_PAINT messages handed out, for the driver's frame count.
uint32_t paintCount();

// Forgets every message, timer and paint request (between tests).
void resetLoop();

// Called each time the loop is about to wait for input, before the backend waits: the
// single-instance listener uses it to look for raise requests.
void setIdleHook(void (*hook)());

}  // namespace platform
