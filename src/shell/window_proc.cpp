// Message routing of the main window.
#include "shell/window_proc.h"

#include "platform/display.h"
#include "platform/loop.h"
#include "raster/back_buffer.h"
#include "shell/lifecycle.h"
#include "view/redraw.h"

using namespace platform;

intptr_t defaultWindowProc(uint32_t msg, intptr_t, intptr_t) {
    if (msg == WM_CLOSE) {
        if (Backend* b = backend()) b->closeWindow();
        return windowProc(WM_DESTROY, 0, 0);
    }
    return 0;
}

intptr_t windowProc(uint32_t msg, intptr_t wParam, intptr_t lParam) {
    switch (msg) {
        case WM_DESTROY: postQuitMessage(0); return 0;
        case WM_CLOSE:
            // A close from the window system takes the orderly exit, as the Exit button does.
            if (!shuttingDown()) {
                shutdown();
                return 0;
            }
            return defaultWindowProc(msg, wParam, lParam);
        case WM_SETFOCUS:
            if (Backend* b = backend()) b->resume();
            invalidate();
            return 1;
        case WM_KILLFOCUS:
            if (Backend* b = backend()) b->suspend();
            return 1;
        case WM_PAINT:
            validate();
            if (!shuttingDown()) present(-1);
            gRedraw = 0;
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_TIMER:
            if (gRedraw) invalidate();
            return 0;
        default: return defaultWindowProc(msg, wParam, lParam);
    }
}
