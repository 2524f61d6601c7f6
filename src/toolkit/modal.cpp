// Keeps the toolkit's process-wide pointers sound: closing the modal dialog, and a widget
// letting go of the capture, the focus and the dialog pointers as it is destroyed, so that
// no pointer outlives what it names. When a dialog closes is the window's decision.
#include "toolkit/modal.h"

#include "base/redraw.h"

Widget::~Widget() {
    if (gCaptureWidget == this) gCaptureWidget = nullptr;
    if (gFocusWidget == this) gFocusWidget = nullptr;
    if (gToolDialog == this) gToolDialog = nullptr;
    if (gModalDialog == this) gModalDialog = nullptr;
}

void closeModalDialog() {
    Widget* dialog = gModalDialog;
    if (!dialog) return;
    gModalDialog = nullptr;
    gRedraw = 1;    // the view comes back where the dialog was
    delete dialog;  // the dialog and the widgets it holds let go of the capture and the focus
}
