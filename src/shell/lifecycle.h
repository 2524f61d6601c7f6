// The program's life: one copy per state folder, the window and display, start-up with the
// splash and its progress bar, the message loop, and the orderly shutdown that fades out,
// saves and releases everything. Start-up failures end in one of three fatal messages.
#pragma once

#include <cstdint>

namespace platform {
class Backend;
}

// Start-up results: 0 success, -2 out of memory or a built-in picture that cannot be
// prepared, -3 no window (no display to show one on), anything else (-1: display or
// buttons) a general failure.
constexpr int32_t kStartupOk = 0;
constexpr int32_t kStartupGeneral = -1;
constexpr int32_t kStartupNoMemory = -2;
constexpr int32_t kStartupNoWindow = -3;

// Which screen owns the input: normal globe view, about screen, or a modal dialog.
constexpr int32_t kUiNormal = 1;
constexpr int32_t kUiAbout = 2;
constexpr int32_t kUiDialog = 3;
inline int32_t gUiMode = kUiNormal;

constexpr uint32_t kTimerId = 8000;    // the 50 ms tick
constexpr uint32_t kTimerPeriod = 50;  // milliseconds

// The whole run on `backend`: returns the exit code (the quit code; when another copy was
// already running and has been asked to come forward, 0, or 1 for a `scripted` run, whose
// script then never ran).
int runProgram(platform::Backend* backend, bool scripted = false);

// Everything between the open display and the message loop; a StartupResult.
int32_t startup();

// The orderly exit (the Exit button): fade out, stop the tick, save, release, close.
void shutdown();

// True once shutdown has begun: a close request from the window then needs nothing more.
bool shuttingDown();

// Frees everything start-up acquired and the dialogs still open; safe to call twice.
void release();

// The fatal message for a non-zero start-up result.
const char* startupMessage(int32_t result);
