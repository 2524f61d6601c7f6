// Keeps the toolkit's process-wide pointers sound: closing the modal dialog, and a widget
// letting go of the capture and the focus as it is destroyed, so that neither pointer
// outlives what it names. When a dialog closes is the window's decision.
#include "toolkit/modal.h"

Widget::~Widget() {
    if (gCaptureWidget == this) gCaptureWidget = nullptr;
    if (gFocusWidget == this) gFocusWidget = nullptr;
}

void closeModalDialog() {
    Widget* dialog = gModalDialog;
    gModalDialog = nullptr;
    delete dialog;  // the dialog and the widgets it holds let go of the capture and the focus
}
