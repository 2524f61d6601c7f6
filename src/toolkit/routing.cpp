// The toolkit's input routing and its paint order. Capture and focus are settled here,
// before and after the widget's own operation; widgets never touch the global pointers.
#include "toolkit/routing.h"

#include "base/redraw.h"
#include "platform/messages.h"
#include "toolkit/modal.h"

namespace {

// Shows the keyboard or hides it; hiding a keyboard that showed asks for the view under it.
void setKeyboardShown(bool shown) {
    if (shown && gSoftKeyboard) {
        gSoftKeyboard->Show(kKeyboardTop);
        gKeyboardVisible = true;
        return;
    }
    if (gKeyboardVisible) gRedraw = 1;
    gKeyboardVisible = false;
    if (gSoftKeyboard) gSoftKeyboard->Hide();
}

void dropFocus() {
    Widget* focused = gFocusWidget;
    gFocusWidget = nullptr;
    if (focused) focused->SetFocus(false);
}

void giveFocus(Widget* widget) {
    gFocusWidget = widget;
    widget->SetFocus(true);
    setKeyboardShown(widget->WantsKeyboard());
}

}  // namespace

int dispatchInput(Widget* widget, const WidgetInput& in, Widget** capture) {
    Widget* ignored = nullptr;
    if (!capture) capture = &ignored;
    *capture = nullptr;
    if (!widget || !widget->visible() || !widget->enabled()) return 0;
    switch (in.kind) {
        case WidgetInput::kDown:
            return widget->StylusDown(in.point, capture);
        case WidgetInput::kMove:
            return widget->StylusMove(in.point);
        case WidgetInput::kUp:
            return widget->StylusUp(in.point);
        case WidgetInput::kKey:
            widget->OnKey(in.code, in.keyKind);
            return 1;
        case WidgetInput::kWheel:
            return widget->Wheel(in.point, in.code);
    }
    return 0;
}

bool routeStylusDown(Point p) {
    const WidgetInput down{WidgetInput::kDown, p};
    Widget* capture = nullptr;
    gCaptureWidget = nullptr;
    if (gModalDialog) {
        dispatchInput(gModalDialog, down, &capture);
        gCaptureWidget = capture;
        return true;  // nothing beneath a modal dialog sees the press
    }
    if (gKeyboardVisible && dispatchInput(gSoftKeyboard, down, &capture)) {
        gCaptureWidget = capture;
        return true;
    }
    dropFocus();
    // A press the tool dialog consumes stops here even when no widget keeps the stroke, so
    // that it never also reaches the view beneath.
    if (gToolDialog && dispatchInput(gToolDialog, down, &capture)) {
        gCaptureWidget = capture;
        if (capture)
            giveFocus(capture);
        else
            setKeyboardShown(false);
        return true;
    }
    setKeyboardShown(false);
    return false;
}

void moveFocus(Widget* widget) {
    dropFocus();
    if (widget)
        giveFocus(widget);
    else
        setKeyboardShown(false);
}

bool routeStylusMove(Point p) {
    if (!gCaptureWidget) return false;
    if (dispatchInput(gCaptureWidget, {WidgetInput::kMove, p}) == 2) gRedraw = 1;
    return true;
}

bool routeStylusUp(Point p) {
    Widget* captured = gCaptureWidget;
    gCaptureWidget = nullptr;  // cleared first: the release may end the widget's dialog
    if (!captured) return false;
    dispatchInput(captured, {WidgetInput::kUp, p});
    gRedraw = 1;
    return true;
}

bool routeKey(int code, int kind) {
    if (kind == 1 && code == platform::VK_ESCAPE) return true;  // the key did its work
    const bool escape = kind == 2 && code == platform::VK_ESCAPE;
    const WidgetInput key{WidgetInput::kKey, {}, code, kind};
    if (gModalDialog) {
        if (kind == 2) dispatchInput(gModalDialog, key);
        return true;
    }
    if (escape && gToolDialog) return dispatchInput(gToolDialog, key) != 0;
    return dispatchInput(gFocusWidget, key) != 0;
}

bool routeWheel(Point p, int notches) {
    const WidgetInput wheel{WidgetInput::kWheel, p, notches};
    if (gModalDialog) {
        dispatchInput(gModalDialog, wheel);
        return true;
    }
    if (gKeyboardVisible && p.y >= kKeyboardTop) return true;
    return dispatchInput(gToolDialog, wheel) != 0;
}

void paintToolkit() {
    if (gToolDialog) {
        gToolDialog->Draw();
        gToolDialog->GetPosition(&gToolDialogPosition);
    }
    if (gKeyboardVisible && gSoftKeyboard) gSoftKeyboard->Draw();
    if (gModalDialog) gModalDialog->Draw();
}
