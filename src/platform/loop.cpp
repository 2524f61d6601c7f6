// The message queue, the coalesced paint request and the periodic timers of the one
// user-interface thread, and getMessage, which hands them out in that order before asking
// the backend for input. What a message means is the window procedure's.
#include "platform/loop.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "platform/clock.h"
#include "platform/display.h"

namespace platform {
namespace {

struct Timer {
    uint32_t id;
    uint32_t period;
    uint32_t due;  // tick count at which it next fires
};

std::deque<Message> gQueue;
std::vector<Timer> gTimers;
bool gPaint = false;
bool gPainting = false;       // the last message handed out was WM_PAINT
bool gPaintDeferred = false;  // a paint asked for while painting (an animation's next frame)
bool gQuit = false;
int gQuitCode = 0;
uint32_t gPaints = 0;
void (*gIdle)() = nullptr;

// Signed distance on the wrapping tick count.
int32_t ticksUntil(uint32_t due, uint32_t now) {
    return static_cast<int32_t>(due - now);
}

bool takeDueTimer(Message* out) {
    uint32_t now = tickCount();
    for (Timer& t : gTimers) {
        if (ticksUntil(t.due, now) > 0) continue;
        uint32_t late = now - t.due;
        t.due += (late / t.period + 1) * t.period;
        *out = {WM_TIMER, static_cast<intptr_t>(t.id), 0};
        return true;
    }
    return false;
}

}  // namespace

void postMessage(uint32_t msg, intptr_t wParam, intptr_t lParam) {
    gQueue.push_back({msg, wParam, lParam});
}

void postQuitMessage(int exitCode) {
    postMessage(WM_QUIT, exitCode, 0);
}

// A frame that asks for the next one while it is being painted gets it after the loop has
// looked at input once, waiting at most one frame interval: windows then animate at a steady
// rate without starving input, and a script's wait advances time frame by frame.
void invalidate() {
    if (gPainting)
        gPaintDeferred = true;
    else
        gPaint = true;
}
void validate() {
    gPaint = false;
}
bool paintPending() {
    return gPaint;
}

uint32_t setTimer(uint32_t id, uint32_t periodMs) {
    if (periodMs == 0) periodMs = 1;
    killTimer(id);
    gTimers.push_back({id, periodMs, tickCount() + periodMs});
    return id;
}

void killTimer(uint32_t id) {
    for (size_t i = 0; i < gTimers.size(); ++i)
        if (gTimers[i].id == id) {
            gTimers.erase(gTimers.begin() + static_cast<long>(i));
            return;
        }
}

uint32_t msUntilNextTimer() {
    uint32_t now = tickCount();
    uint32_t best = kWaitForever;
    for (const Timer& t : gTimers) {
        int32_t d = ticksUntil(t.due, now);
        uint32_t wait = d < 0 ? 0 : static_cast<uint32_t>(d);
        if (wait < best) best = wait;
    }
    return best;
}

bool getMessage(Message* out) {
    gPainting = false;
    if (gPaintDeferred && !gQuit) {
        gPaintDeferred = false;
        // A due timer goes before the next frame: at a frame rate above the timer's, frames
        // would otherwise keep the timer, and with it a script's time, from ever moving.
        if (gQueue.empty() && takeDueTimer(out)) {
            gPaint = true;
            return true;
        }
        if (gQueue.empty()) {
            if (gIdle) gIdle();
            if (Backend* b = backend()) b->waitForInput(std::min(msUntilNextTimer(), kFrameMs));
        }
        gPaint = true;
    }
    for (;;) {
        if (gQuit) return false;
        if (!gQueue.empty()) {
            *out = gQueue.front();
            gQueue.pop_front();
            if (out->msg == WM_QUIT) {
                gQuit = true;
                gQuitCode = static_cast<int>(out->wParam);
                return false;
            }
            return true;
        }
        if (gPaint) {
            ++gPaints;
            gPainting = true;
            *out = {WM_PAINT, 0, 0};
            return true;
        }
        if (takeDueTimer(out)) return true;
        if (gIdle) gIdle();
        if (!gQueue.empty()) continue;
        Backend* b = backend();
        if (!b) {
            gQuit = true;
            return false;
        }
        b->waitForInput(msUntilNextTimer());
    }
}

int quitCode() {
    return gQuitCode;
}
uint32_t paintCount() {
    return gPaints;
}

void resetLoop() {
    gQueue.clear();
    gTimers.clear();
    gPaint = gPainting = gPaintDeferred = false;
    gQuit = false;
    gQuitCode = 0;
    gPaints = 0;
}

void setIdleHook(void (*hook)()) {
    gIdle = hook;
}

}  // namespace platform
