// Closing the modal dialog: the capture and focus pointers are cleared exactly when they
// name the dialog or a widget it holds, and left alone when they name anything else.
#include "toolkit/modal.h"

#include <gtest/gtest.h>

namespace {

struct Field : Widget {
    void Draw() override {}
};
struct FieldDialog : Widget {
    void Draw() override {}
    Field field;
};

enum Target { kNone, kDialog, kField, kOutside };

}  // namespace

// The focus used to be left pointing into the closed dialog, and the capture too when a
// widget of the dialog rather than the dialog itself held it.
TEST(ModalDialog, ClosingClearsOnlyThePointersIntoTheDialog) {
    struct Case {
        Target capture, focus;
        Target captureAfter, focusAfter;
    };
    const Case cases[] = {
        {kDialog, kField, kNone, kNone},
        {kField, kOutside, kNone, kOutside},
        {kOutside, kDialog, kOutside, kNone},
        {kNone, kNone, kNone, kNone},
    };
    Field outside;
    for (const Case& c : cases) {
        auto* dialog = new FieldDialog;
        Widget* const widget[] = {nullptr, dialog, &dialog->field, &outside};  // by Target
        gModalDialog = dialog;
        gCaptureWidget = widget[c.capture];
        gFocusWidget = widget[c.focus];
        closeModalDialog();
        EXPECT_EQ(gModalDialog, nullptr);
        EXPECT_EQ(gCaptureWidget, widget[c.captureAfter]);
        EXPECT_EQ(gFocusWidget, widget[c.focusAfter]);
    }
    gCaptureWidget = gFocusWidget = nullptr;
}
