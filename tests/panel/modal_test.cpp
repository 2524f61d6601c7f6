// Closing the toolkit's dialogs: the modal dialog's capture and focus pointers are cleared
// exactly when they name the dialog or a widget it holds, and left alone when they name
// anything else; the tool dialog asks to be closed once, however many Escapes are queued.
#include "toolkit/modal.h"

#include <gtest/gtest.h>

#include "dialogs/find_city.h"
#include "platform/loop.h"
#include "platform/messages.h"
#include "toolkit/routing.h"

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

// Two Escapes queued together (a held key, a quick double press) used to post the closing
// command twice, and the second opened the dialog again.
TEST(ToolDialog, EscapeClosesFindCityOnce) {
    platform::resetLoop();
    openFindCity();
    ASSERT_NE(gToolDialog, nullptr);
    routeKey(platform::VK_ESCAPE, 2);
    routeKey(platform::VK_ESCAPE, 2);
    int closings = 0;
    for (platform::Message m; platform::getMessage(&m);)
        closings += m.msg == platform::WM_COMMAND && m.wParam == 2009;
    EXPECT_EQ(closings, 1);
    closeFindCity();
    EXPECT_EQ(gToolDialog, nullptr);
    platform::resetLoop();
}
