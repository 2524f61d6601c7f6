// The edit field as the window feeds it: lines of a headless script (text and key) go
// through the window procedure to the focused field, and the field draws its selection and
// its blinking caret where its layout puts them.
#include "toolkit/edit_field.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "../font/widget_screen.h"
#include "platform/display.h"
#include "platform/headless.h"
#include "platform/script.h"
#include "shell/window_proc.h"

namespace {

// The field: (10, 50), 120 wide, so 19 columns from x 13; text and caret from y 52.
constexpr int kX = 10, kY = 50, kWidth = 120;
constexpr uint16_t kFace = 0x4208, kSelection = 0x0400, kCaret = 0xFFFF;

int gEnters = 0;

class EditFieldTest : public WidgetScreenTest {
  protected:
    void SetUp() override {
        WidgetScreenTest::SetUp();
        field_.setup(kX, kY, kWidth, 30);
        field_.handler = [](Widget*, int code) { gEnters += code == kFieldEnter; };
        gEnters = 0;
        gToolDialog = &field_;
        tap(kX + 5, kY + 5);  // the field takes the focus
        ASSERT_EQ(gFocusWidget, &field_);
    }
    // Runs `lines` as a headless script and hands what it posts to the window procedure;
    // frames and timers are left out.
    void runScript(const std::string& lines) {
        // Tests run side by side as separate processes: each writes its own script.
        const std::string path =
            testing::TempDir() + "edit_field_keys_" + std::to_string(getpid()) + ".txt";
        std::ofstream(path) << lines << "\n";
        platform::HeadlessBackend backend;
        platform::setBackend(&backend);
        platform::Script script;
        std::string error;
        ASSERT_TRUE(script.load(path, &error)) << error;
        script.attach(&backend, {});
        platform::Message m;
        while (platform::getMessage(&m)) {
            if (m.msg == platform::WM_PAINT)
                platform::validate();
            else if (m.msg != platform::WM_TIMER)
                windowProc(m.msg, m.wParam, m.lParam);
        }
        platform::setBackend(nullptr);
        platform::resetLoop();
    }
    EditField field_;
};

}  // namespace

TEST_F(EditFieldTest, ScriptTextAndKeysTypeIntoTheFocusedField) {
    struct Case {
        const char* lines;
        const char16_t* text;
        int caret, enters;
    } cases[] = {
        {"text Paris", u"Paris", 5, 0},
        // Enter was typed into the text, and Tab and Escape too; Enter now tells the owner.
        {"text Paris\nkey enter\nkey tab\nkey escape", u"Paris", 5, 1},
        {"text Paris\nkey left\nkey left\nkey backspace", u"Pais", 2, 0},
        {"text Paris\nkey home\nkey delete\nkey right", u"aris", 1, 0},
        {"text Paris\nkey home\nkey end\ntext !", u"Paris!", 6, 0},
        {"text Paris\nkey ctrl+a\ntext Lyon", u"Lyon", 4, 0},
        // A letter's key-down, sent before its character, used to end the selection first.
        {"text Paris\nkey ctrl+a\nkey x", u"x", 1, 0},
        {"text Paris\nkey ctrl+a\nkey backspace", u"", 0, 0},
        {"text Caf\xC3\xA9 du Monde", u"Caf\u00e9 du Monde", 13, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        field_.setText(u"");
        gEnters = 0;
        runScript(c.lines);
        EXPECT_EQ(std::u16string(field_.text()), c.text);
        EXPECT_EQ(field_.edit().caret(), c.caret);
        EXPECT_EQ(gEnters, c.enters);
    }
}

TEST_F(EditFieldTest, SelectionAndBlinkingCaretAreDrawnInTheirColumns) {
    runScript("text a b\nkey ctrl+a");
    const int spaceX = kX + 3 + 6 + 2, caretX = kX + 3 + 6 * 3;  // in the space; after "a b"
    paintToolkit();
    EXPECT_EQ(at(spaceX, kY + 6), kSelection);
    EXPECT_EQ(at(caretX, kY + 2), kCaret);
    EXPECT_EQ(at(caretX, kY + 12), kCaret);
    runScript("key end");  // the selection ends; the caret stays lit for half a second
    struct Frame {
        uint32_t after;  // ms
        bool caret;
    } frames[] = {{0, true}, {500, true}, {1, false}, {500, false}, {1, true}};
    for (const Frame& f : frames) {
        frameAfter(f.after);
        EXPECT_EQ(at(spaceX, kY + 6), kFace);
        EXPECT_EQ(at(caretX, kY + 7), f.caret ? kCaret : kFace) << f.after;
    }
}
