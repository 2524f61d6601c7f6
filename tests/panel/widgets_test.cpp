// The toolkit's widgets driven through the window's routing (down, move, up, keys, wheel),
// checked by what they post, the state they keep and the pixels they draw at the places and
// in the colours of their look.
#include <vector>

#include "../font/widget_screen.h"
#include "toolkit/button.h"
#include "toolkit/choices.h"
#include "toolkit/edit_field.h"
#include "toolkit/exit_confirm.h"
#include "toolkit/message_box.h"
#include "toolkit/slider.h"
#include "toolkit/soft_keyboard.h"
#include "toolkit/sprites.h"

namespace {

constexpr uint16_t kBody = 0x630C, kTitleBar = 0xD900, kFace = 0x8C71;

// A stylus step: 'd'own, 'm'ove or 'u'p at a point.
struct Step {
    char kind;
    int x, y;
};

// A dialog holding the widgets under test; style 0 has no title bar, so all of it is body.
struct Holder : Dialog {
    Holder(int x0, int y0, int w, int h, uint32_t styleBits, bool forward) {
        forwardsStrokes = forward;
        setup(x0, y0, w, h, styleBits, u"Test");
    }
    using Dialog::addChild;
};

int gCalls = 0, gLastCode = -1;
void countCall(Widget*, int code) {
    ++gCalls;
    gLastCode = code;
}

class WidgetTest : public WidgetScreenTest {
  protected:
    WidgetTest() : WidgetScreenTest(0) {}
    void SetUp() override {
        WidgetScreenTest::SetUp();
        gCalls = 0, gLastCode = -1;
    }
    // Makes `widget` the one child of a full-screen modal dialog.
    static void hold(Widget* widget) {
        auto* holder = new Holder(0, 0, kW, kH, 0, true);
        holder->addChild(widget);
        gModalDialog = holder;
    }
    void step(const Step& s) { stylus(s.kind, s.x, s.y); }
    // Draws `widget` over the dialog body colour.
    void redraw(Widget* widget) {
        std::fill(backBuffer(), backBuffer() + kW * kH, kBody);
        widget->Draw();
    }
    // True when `cell` of the sprite sheet shows at (x, y) over `ground`, with every kept
    // pixel ANDed with `tint` (0xFFFF: as it stands).
    bool showsCell(const SpriteCell& cell, int x, int y, uint16_t tint = 0xFFFF,
                   uint16_t ground = kBody) const {
        const ImageBuffer& sheet = controlSprites();
        for (int j = 0; j < cell.height; ++j)
            for (int i = 0; i < cell.width; ++i) {
                const uint16_t p = sheet.pixels()[(cell.y + j) * sheet.width() + cell.x + i];
                if (at(x + i, y + j) != (p == kTransparent ? ground : uint16_t(p & tint)))
                    return false;
            }
        return true;
    }
};

TEST_F(WidgetTest, AButtonClicksOnlyWhenReleasedOnIt) {
    struct Case {
        std::vector<Step> steps;  // the last is the release
        bool pressedBeforeRelease, clicks;
    } cases[] = {
        {{{'d', 60, 110}, {'u', 60, 110}}, true, true},
        {{{'d', 60, 110}, {'m', 150, 110}, {'u', 150, 110}}, false, false},
        {{{'d', 60, 110}, {'m', 150, 110}, {'m', 70, 105}, {'u', 70, 105}}, true, true},
        {{{'d', 150, 110}, {'m', 60, 110}, {'u', 60, 110}}, false, false},
        {{{'d', 60, 110}, {'u', 150, 110}}, true, false},  // the release point decides
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Button button;
        button.setup(50, 100, 60, 20, u"Go", 4321, true);
        hold(&button);
        for (size_t s = 0; s + 1 < cases[i].steps.size(); ++s) step(cases[i].steps[s]);
        redraw(&button);
        // Pressed: the face reaches the corner and the dark bevel starts one pixel in.
        EXPECT_EQ(at(50, 100), cases[i].pressedBeforeRelease ? kFace : 0xD6BA) << i;
        EXPECT_EQ(at(51, 101), cases[i].pressedBeforeRelease ? 0x2104 : kFace) << i;
        step(cases[i].steps.back());
        const std::vector<platform::Message> sent = posted();
        EXPECT_EQ(sent.size(), cases[i].clicks ? 1u : 0u) << i;
        if (!sent.empty()) EXPECT_EQ(sent[0].msg, platform::WM_COMMAND) << i;
        if (!sent.empty()) EXPECT_EQ(sent[0].wParam, 4321) << i;
        EXPECT_FALSE(button.pressed) << i;
        closeModalDialog();
    }
}

// Clicks on their buttons are end to end (the exit confirmation, the map-set message).
TEST_F(WidgetTest, EnterAndEscapeAnswerDialogs) {
    struct Case {
        int kind;    // a message box's kind, or −1 for the exit confirmation
        int key;     // Enter or Escape
        int answer;  // MSG_DIALOG_DONE's wParam
    } cases[] = {{0, 27, 2014}, {1, 13, 2014},  {1, 27, 2015}, {2, 27, 2015},
                 {7, 13, 2014}, {-1, 13, 2020}, {-1, 27, 2015}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        if (cases[i].kind < 0)
            openExitConfirm(countCall);
        else
            ShowMessage("Text", "", cases[i].kind, countCall);
        if (MessageBox* box = openMessageBox()) {
            // A text narrower than the buttons used to leave them sticking out of the box.
            const Button& last = box->kind ? box->second : box->first;
            EXPECT_GT(box->first.x, box->x) << i;
            EXPECT_LT(last.x + last.width, box->x + box->width) << i;
        }
        routeKey(cases[i].key, 2);
        const std::vector<platform::Message> sent = posted();
        ASSERT_EQ(sent.size(), 1u) << i;
        EXPECT_EQ(sent[0].msg, MSG_DIALOG_DONE) << i;
        EXPECT_EQ(sent[0].wParam, cases[i].answer) << i;
        EXPECT_EQ(sent[0].lParam, reinterpret_cast<intptr_t>(&countCall)) << i;
        EXPECT_EQ(gCalls, 0) << "the window calls the handler, after deleting the dialog";
    }
}

TEST_F(WidgetTest, ACheckBoxTogglesOnATapUnlessDisabled) {
    struct Case {
        bool enabled, checked;
        Point tap;
        bool checkedAfter;
        SpriteCell cell;
    } cases[] = {
        {true, false, {60, 55}, true, sprite::kCheckChecked},  // on the label
        {true, true, {41, 51}, false, sprite::kCheckClear},    // on the box
        {true, false, {80, 50}, false, sprite::kCheckClear},   // just past the label
        {false, false, {41, 51}, false, sprite::kCheckClearDisabled},
        {false, true, {60, 55}, true, sprite::kCheckCheckedDisabled},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        CheckBox box;
        box.setup(40, 50, u"Grid");  // hit: 40 .. 79 across, 50 .. 61 down
        box.checked = cases[i].checked;
        box.handler = countCall;
        if (!cases[i].enabled) box.flags &= ~Widget::kEnabled;
        hold(&box);
        gCalls = 0;
        tap(cases[i].tap.x, cases[i].tap.y);
        EXPECT_EQ(box.checked, cases[i].checkedAfter) << i;
        EXPECT_EQ(gCalls, cases[i].checkedAfter != cases[i].checked ? 1 : 0) << i;
        redraw(&box);
        EXPECT_TRUE(showsCell(cases[i].cell, 40, 50)) << i;
        closeModalDialog();
    }
}

TEST_F(WidgetTest, SliderEndsStepWithinTheRangeAndDragsStopAtItsLimits) {
    // Track 20 .. 139: ends of 9 pixels; values 0 .. 10 over x 29 .. 130 (102 pixels); the
    // knob over 96 pixels from x 32.
    struct Case {
        double start;
        std::vector<Step> steps;
        double value;
        int knobX;
    } cases[] = {
        {1, {{'d', 22, 205}, {'u', 22, 205}}, 0, 32},
        {5, {{'d', 28, 205}, {'u', 28, 205}}, 2, 51},
        {9, {{'d', 137, 205}, {'u', 137, 205}}, 10, 128},
        {2, {{'d', 80, 205}}, 5, 80},
        {5, {{'d', 80, 205}, {'m', 5, 300}}, 0, 32},
        {5, {{'d', 80, 205}, {'m', 239, 0}}, 10, 128},
        {5, {{'d', 80, 205}, {'m', 5, 0}, {'m', 131, 0}}, 10, 128},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Slider slider;
        slider.setup(20, 200, 120, 20, 185, u"Speed", 0, 10, cases[i].start, 3, true, true);
        hold(&slider);
        for (const Step& s : cases[i].steps) step(s);
        EXPECT_DOUBLE_EQ(slider.value, cases[i].value) << i;
        redraw(&slider);
        EXPECT_EQ(at(cases[i].knobX, 205), 0x4208) << i;  // the knob's inside
        EXPECT_EQ(at(cases[i].knobX - 2, 200), 0xFFFF) << i;
        up(0, 0);
        closeModalDialog();
    }
}

TEST_F(WidgetTest, TheCloseBoxClosesOnlyOnAReleaseInIt) {
    // A 120 × 100 dialog at (60, 60) with a close box: hit in x 163 .. 179 of the title bar
    // (y 60 .. 77), drawn at (167, 64).
    struct Case {
        std::vector<Step> steps;  // the last is the release
        bool blackBeforeRelease, closes;
    } cases[] = {
        {{{'d', 170, 65}, {'u', 170, 65}}, true, true},
        {{{'d', 170, 65}, {'m', 120, 65}, {'u', 120, 65}}, false, false},
        {{{'d', 170, 65}, {'m', 170, 90}, {'m', 175, 70}, {'u', 175, 70}}, true, true},
        {{{'d', 120, 65}, {'m', 170, 65}, {'u', 170, 65}}, false, false},  // a drag
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        auto* dialog = new Holder(60, 60, 120, 100, Dialog::kCloseBox | Dialog::kTitleBar, true);
        dialog->handler = countCall;
        gToolDialog = dialog;
        gCalls = 0, gLastCode = -1;
        for (size_t s = 0; s + 1 < cases[i].steps.size(); ++s) step(cases[i].steps[s]);
        redraw(dialog);
        EXPECT_TRUE(showsCell(sprite::kCloseBox, dialog->x + 107, dialog->y + 4,
                              cases[i].blackBeforeRelease ? 0x0000 : 0xD6BA, kTitleBar))
            << i;
        step(cases[i].steps.back());
        EXPECT_EQ(gCalls, cases[i].closes ? 1 : 0) << i;
        if (cases[i].closes) EXPECT_EQ(gLastCode, 0) << i;
        delete dialog;
    }
}

TEST_F(WidgetTest, RoutingOrderModalKeyboardFocusToolDialog) {
    SoftKeyboard keyboard;
    gSoftKeyboard = &keyboard;
    auto* tool = new Holder(60, 60, 120, 100, Dialog::kCloseBox | Dialog::kTitleBar, false);
    EditField field;
    field.setup(100, 100, 50, 20);
    tool->addChild(&field);
    tool->handler = countCall;
    gToolDialog = tool;

    // A press on the field gives it the focus and brings up the keyboard at 239.
    EXPECT_TRUE(routeStylusDown({110, 110}));
    EXPECT_EQ(gCaptureWidget, &field);
    EXPECT_EQ(gFocusWidget, &field);
    EXPECT_TRUE(field.flags & Widget::kFocused);
    EXPECT_EQ(keyboard.top(), 239);
    routeStylusUp({110, 110});
    // The keyboard takes its own presses; the focus stays.
    EXPECT_TRUE(routeStylusDown({10, 300}));
    EXPECT_EQ(gCaptureWidget, &keyboard);
    EXPECT_EQ(gFocusWidget, &field);
    routeStylusUp({10, 300});
    // The wheel: on the tool dialog or the keyboard it is taken, elsewhere it zooms.
    EXPECT_TRUE(routeWheel({70, 150}, 1));
    EXPECT_TRUE(routeWheel({10, 300}, -1));
    EXPECT_FALSE(routeWheel({10, 10}, 1));
    // A modal dialog takes every press, key and wheel turn, wherever it lands.
    ShowMessage("Busy", nullptr, 0, nullptr);
    EXPECT_TRUE(routeStylusDown({5, 5}));
    EXPECT_EQ(gCaptureWidget, nullptr);
    EXPECT_EQ(gFocusWidget, &field) << "the modal dialog leaves the focus alone";
    EXPECT_TRUE(routeKey(platform::VK_UP, 2));
    EXPECT_TRUE(routeKey('a', 1));
    EXPECT_TRUE(routeWheel({10, 10}, 1));
    closeModalDialog();
    posted();
    // A press beside everything ends the focus and hides the keyboard: the view's press.
    EXPECT_FALSE(routeStylusDown({10, 10}));
    EXPECT_EQ(gFocusWidget, nullptr);
    EXPECT_FALSE(field.flags & Widget::kFocused);
    EXPECT_FALSE(gKeyboardVisible);
    EXPECT_EQ(keyboard.top(), -1);
    EXPECT_FALSE(routeKey(platform::VK_UP, 2)) << "no focus: the arrow keys zoom";
    // Escape closes the tool dialog by its close box; a hidden one sees nothing.
    EXPECT_TRUE(routeKey(platform::VK_ESCAPE, 2));
    EXPECT_EQ(gCalls, 1);
    EXPECT_EQ(gLastCode, 0);
    tool->flags &= ~Widget::kVisible;
    EXPECT_FALSE(routeStylusDown({110, 110}));
    EXPECT_FALSE(routeWheel({70, 150}, 1));
    delete tool;
    EXPECT_EQ(gToolDialog, nullptr);
}

}  // namespace
