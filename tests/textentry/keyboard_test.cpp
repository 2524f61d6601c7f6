// The soft keyboard tapped through the toolkit's routing: the centre of every key of every
// layout sends what its key table says, and keys sit where the layouts were drawn; Shift
// holds for one key, Caps Lock until tapped again, Ctrl turns letters into control codes;
// lit keys; and a focused field that calls the keyboard up and answers it (the keyboard
// going when the focus goes is the routing test's).
#include <gtest/gtest.h>

#include <string>

#include "../font/widget_screen.h"
#include "shell/window_proc.h"
#include "toolkit/edit_field.h"
#include "toolkit/soft_keyboard.h"

namespace {

namespace kl = keyboard_layout;
constexpr uint16_t kFace = 0x001F, kLit = 0xFFE0;

class KeyboardTest : public WidgetScreenTest {
  protected:
    void SetUp() override {
        WidgetScreenTest::SetUp();
        gSoftKeyboard = &keyboard_;
        gKeyboardVisible = true;
        show(122);
    }
    // Shows the keyboard afresh in layout `picture`, reached by its modifier.
    void show(int picture) {
        keyboard_.Show(kKeyboardTop);
        if (picture != 122) tapKey(find(picture == 121 ? -kl::kSymbols : -kl::kCapsLock, 0));
        ASSERT_EQ(keyboard_.table().pictureId, picture);
    }
    const kl::Key& key(int index) const { return keyboard_.table().keys[index]; }
    // The index of the key sending `code` as `kind` in the layout shown.
    int find(int code, int kind) const {
        for (int i = 0; i < keyboard_.table().count; ++i)
            if (key(i).code == code && key(i).kind == kind) return i;
        ADD_FAILURE() << "no key " << code;
        return 0;
    }
    void tapKey(int i) {
        tap(key(i).x + key(i).width / 2, keyboard_.top() + key(i).y + key(i).height / 2);
    }
    // The pixel one inside the key's top-left corner, where no label reaches.
    uint16_t face(int index) {
        paintToolkit();
        return at(key(index).x + 1, keyboard_.top() + key(index).y + 1);
    }
    std::vector<int> sent() {
        std::vector<int> codes;
        for (const platform::Message& m : posted()) codes.push_back(int(m.wParam));
        return codes;
    }
    SoftKeyboard keyboard_;
};

}  // namespace

TEST_F(KeyboardTest, EveryKeyCentreSendsItsTableEntry) {
    for (int picture : {122, 121, 123}) {
        show(picture);
        const int mode = keyboard_.mode();
        for (int i = 0; i < keyboard_.table().count; ++i) {
            const kl::Key k = key(i);
            tapKey(i);
            const std::vector<platform::Message> seen = posted();
            if (k.kind == kl::kModifier) {
                EXPECT_TRUE(seen.empty()) << picture << ":" << i;
                EXPECT_EQ(keyboard_.mode(), mode ^ -k.code) << picture << ":" << i;
                tapKey(find(k.code, k.kind));  // off again, in whatever layout it led to
                ASSERT_EQ(keyboard_.mode(), mode);
                continue;
            }
            ASSERT_EQ(seen.size(), 1u) << picture << ":" << i;
            EXPECT_EQ(seen[0].msg, MSG_SOFT_KEY);
            EXPECT_EQ(seen[0].wParam, k.code) << picture << ":" << i;
            EXPECT_EQ(seen[0].lParam, k.kind) << picture << ":" << i;
        }
    }
    struct Spot {
        int picture, x, y;  // keyboard pixels
        int code, kind;     // −1: a gap, nothing is sent
    } spots[] = {
        {122, 27, 18, 'q', 1}, {122, 223, 2, 8, 2},  {122, 229, 40, 13, 1}, {122, 19, 2, -1, 0},
        {121, 95, 62, '(', 1}, {121, 2, 42, 177, 1}, {123, 223, 2, 46, 2},  {123, 46, 66, '~', 1},
    };
    for (const Spot& s : spots) {
        show(s.picture);
        tap(s.x, keyboard_.top() + s.y);
        const std::vector<platform::Message> seen = posted();
        ASSERT_EQ(seen.size(), s.code < 0 ? 0u : 1u) << s.x << "," << s.y;
        if (s.code >= 0) EXPECT_EQ(seen[0].wParam * 10 + seen[0].lParam, s.code * 10 + s.kind);
    }
}

TEST_F(KeyboardTest, ShiftHoldsForOneKeyCapsLockStaysAndCtrlMakesControlCodes) {
    const int a = find('a', 1), c = find('c', 1);  // letters lie alike in both cases
    const int caps = find(-kl::kCapsLock, 0), shift = find(-kl::kShift, 0);
    const int ctrl = find(-kl::kControl, 0);
    struct Case {
        std::vector<int> keys, sent;
    } cases[] = {
        {{shift, a, a}, {'A', 'a'}},
        {{caps, a, c, caps, a}, {'A', 'C', 'a'}},
        {{caps, shift, a, a}, {'a', 'A'}},
        {{ctrl, c, c}, {3, 'c'}},
        {{ctrl, a}, {1}},
        {{caps, ctrl, a}, {1}},
    };
    for (const Case& k : cases) {
        show(122);
        std::vector<int> codes;
        for (int index : k.keys) {
            tapKey(index);
            for (int code : sent()) codes.push_back(code);
        }
        EXPECT_EQ(codes, k.sent) << "case " << (&k - cases);
    }
    show(122);  // Shift is lit from its tap to the key it applies to
    EXPECT_EQ(face(shift), kFace);
    tapKey(shift);
    EXPECT_EQ(face(shift), kLit);
    tapKey(a);
    EXPECT_EQ(sent(), std::vector<int>{'A'});
    EXPECT_EQ(face(shift), kFace);
    const int enter = find(13, 1);  // a held key is lit, both parts of Enter together
    down(key(enter).x + 2, keyboard_.top() + key(enter).y + 2);
    for (int i = 0; i < keyboard_.table().count; ++i)
        EXPECT_EQ(face(i), key(i).code == 13 ? kLit : kFace) << i;
    move(0, 0);
    EXPECT_EQ(face(enter), kFace);
    up(0, 0);
    EXPECT_TRUE(sent().empty());
}

TEST_F(KeyboardTest, AFocusedFieldCallsItUpAndAnswersCtrlA) {
    EditField field;
    field.setup(10, 50, 120, 20);
    gToolDialog = &field;
    keyboard_.Hide();
    gKeyboardVisible = false;
    tap(20, 55);
    ASSERT_EQ(gFocusWidget, &field);
    for (int code : {int('p'), int('a'), -kl::kControl, int('c'), -kl::kControl, int('a')})
        tapKey(find(code, code < 0 ? 0 : 1));
    for (const platform::Message& m : posted()) windowProc(m.msg, m.wParam, m.lParam);
    EXPECT_EQ(std::u16string(field.text()), u"pa");  // Ctrl+C typed nothing
    EXPECT_EQ(field.edit().anchor(), 0);             // Ctrl+A selected all
}
