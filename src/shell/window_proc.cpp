// Message routing of the main window: the about screen or the options dialog first when it
// is up, then the main handling. Every handled input ends with a paint request unless it
// says otherwise.
#include "shell/window_proc.h"

#include "base/redraw.h"
#include "dialogs/options_dialog.h"
#include "platform/display.h"
#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "shell/commands.h"
#include "shell/frame.h"
#include "shell/gestures.h"
#include "shell/lifecycle.h"
#include "shell/ui_state.h"
#include "toolkit/modal.h"
#include "toolkit/routing.h"
#include "view/zoom.h"

using namespace platform;

namespace {

// The about screen fades in over repeated paints and out on a tap, or on Enter or Escape as
// a dialog closes; other keys do nothing under it. Returns true when it took the message.
bool aboutScreen(uint32_t msg, intptr_t wParam) {
    switch (msg) {
        case WM_PAINT:
            present(gAboutFade);
            if (gAboutFade < 256)
                gAboutFade += 8;
            else
                validate();  // fully shown: no more paints until something changes
            return true;
        case WM_KEYDOWN:
            if (wParam != VK_RETURN && wParam != VK_ESCAPE) return true;
            [[fallthrough]];
        case WM_LBUTTONDOWN:
            for (gAboutFade -= 8; gAboutFade >= 1; gAboutFade -= 8) present(gAboutFade);
            postMessage(WM_COMMAND, kCmdAboutDone);
            return true;
        case WM_COMMAND:
            if ((wParam & 0xFFFF) == kCmdAboutDone) {
                runCommand(kCmdAboutDone, 0);
                return true;
            }
            return false;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CHAR:
            return true;
        default:
            return false;
    }
}

intptr_t dialogDone(intptr_t command, intptr_t continuation) {
    closeModalDialog();
    if (auto handler = reinterpret_cast<WidgetHandler>(continuation))
        handler(nullptr, static_cast<int>(command));
    invalidate();
    return 0;
}

}  // namespace

intptr_t defaultWindowProc(uint32_t msg, intptr_t, intptr_t) {
    if (msg == WM_CLOSE) {
        if (Backend* b = backend()) b->closeWindow();
        return windowProc(WM_DESTROY, 0, 0);
    }
    return 0;
}

intptr_t windowProc(uint32_t msg, intptr_t wParam, intptr_t lParam) {
    if (gUiMode == kUiAbout && aboutScreen(msg, wParam)) return 0;
    if (gUiMode == kUiDialog && optionsDialogMessage(msg, wParam, lParam)) {
        if (!optionsDialogOpen()) gUiMode = kUiNormal;
        return 0;
    }
    switch (msg) {
        case WM_DESTROY:
            postQuitMessage(0);
            return 0;
        case WM_CLOSE:
            // A close from the window system takes the orderly exit, as the Exit button does.
            if (!shuttingDown()) {
                shutdown();
                return 0;
            }
            return defaultWindowProc(msg, wParam, lParam);
        case WM_SETFOCUS:
            if (Backend* b = backend()) b->resume();
            break;
        case WM_KILLFOCUS:
            if (Backend* b = backend()) b->suspend();
            return 1;
        case WM_PAINT:
            validate();
            if (!shuttingDown()) composeFrame();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_HELP:
            openHelp();
            break;
        case WM_KEYDOWN:
            if (!routeKey(static_cast<int>(wParam), 2)) zoomKey(static_cast<int>(wParam));
            break;
        case WM_CHAR:
            routeKey(static_cast<int>(wParam), 1);
            break;
        case WM_COMMAND:
            // Ctrl+Q leaves as closing the window does, by the orderly exit.
            if ((wParam & 0xFFFF) == CMD_ACCEL_CTRL_Q) return windowProc(WM_CLOSE, 0, 0);
            // Ctrl+A comes as an accelerator; a focused field takes it as the character the
            // keyboard types for it (1), which selects all.
            if ((wParam & 0xFFFF) == CMD_ACCEL_CTRL_A && gFocusWidget) {
                routeKey(1, 1);
                break;
            }
            if (!runCommand(static_cast<int>(wParam & 0xFFFF), lParam))
                return defaultWindowProc(msg, wParam, lParam);
            return 0;
        case WM_TIMER:
            timerTick();
            return 0;
        case WM_LBUTTONDOWN:
            stylusDown(pointX(lParam), pointY(lParam));
            break;
        case WM_MOUSEMOVE:
            stylusMove(pointX(lParam), pointY(lParam));
            break;
        case WM_LBUTTONUP:
            stylusUp(pointX(lParam), pointY(lParam));
            break;
        case WM_MOUSEWHEEL:
            // Where no widget lies under the pointer the wheel zooms in small steps.
            if (!routeWheel({pointX(lParam), pointY(lParam)}, static_cast<int>(wParam)))
                for (int n = static_cast<int>(wParam); n != 0; n -= n > 0 ? 1 : -1)
                    zoomView(n > 0 ? ZoomKey::NudgeIn : ZoomKey::NudgeOut);
            break;
        case MSG_DIALOG_DONE:
            return dialogDone(wParam, lParam);
        case MSG_SOFT_KEY:
            routeKey(static_cast<int>(wParam), static_cast<int>(lParam));
            break;
        default:
            return defaultWindowProc(msg, wParam, lParam);
    }
    invalidate();
    return 0;
}
