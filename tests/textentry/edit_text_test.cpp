// The edit field's record driven directly: typing at the length limit, deleting a selection,
// the double tap, Ctrl+X, Home and End with a scrolled text, and the control codes that are
// not typed. Each case is a run of steps and the state it must end in.
#include "toolkit/edit_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum Op { kType, kChar, kVKey, kTap, kDrag };
struct Step {
    Op op;
    int value;          // kType: index into the typed texts; kChar/kVKey: code; kTap/kDrag: column
    uint32_t tick = 0;  // kTap: tick count (ms)
};
struct Field {
    int maxLength, columns;
    const char16_t* text;
};
struct Want {
    const char16_t* text;
    int caret, scroll, anchor;
    EditText::Result last;  // what the last key answered
};
struct Case {
    const char* name;
    Field start;
    std::vector<Step> steps;
    Want want;
};

constexpr int kCtrlA = 1, kCtrlC = 3, kCtrlV = 22, kCtrlX = 24;
constexpr int kBack = 8, kEnd = 35, kHome = 36, kLeft = 37, kDelete = 46;
constexpr EditText::Result kSame = EditText::kUnchanged, kChanged = EditText::kChanged;
const char16_t kLong[] = u"abcdefghijklmnopqrst";

}  // namespace

TEST(EditText, StepsEndInTheExpectedState) {
    const char16_t* const typed[] = {u"abcdef", u"Paris\r\t\x1b"};
    std::vector<Step> endThenLefts(9, {kVKey, kLeft});  // End, then eight times Left
    endThenLefts[0] = {kVKey, kEnd};
    const Case cases[] = {
        {"at a limit of five the sixth character is dropped",
         {5, 10, u""},
         {{kType, 0}},
         {u"abcde", 5, 0, -1, kSame}},
        // Enter, Tab and Escape used to be typed, invisible, into the city search.
        {"control codes are not typed; Enter is reported",
         {20, 10, u""},
         {{kType, 1}, {kChar, 13}},
         {u"Paris", 5, 0, -1, EditText::kEnter}},
        {"a selection dragged rightwards, deleted: the caret goes to its start",
         {20, 10, u"hello world"},
         {{kTap, 2, 1000}, {kDrag, 6}, {kChar, kCtrlX}},
         {u"heworld", 2, 0, -1, kChanged}},
        {"a selection dragged leftwards, deleted: the caret stays",
         {20, 10, u"hello world"},
         {{kTap, 6, 1000}, {kDrag, 2}, {kVKey, kDelete}},
         {u"heworld", 2, 0, -1, kChanged}},
        {"a start past half a field: half a field shown before the caret",
         {30, 8, kLong},
         {{kVKey, kEnd}, {kTap, 2, 1000}, {kDrag, 6}, {kChar, kCtrlX}},
         {u"abcdefghijklmnst", 14, 10, -1, kChanged}},
        {"a second tap on the column within 750 ms selects all",
         {20, 10, u"abc"},
         {{kTap, 1, 1000}, {kTap, 1, 1750}},
         {u"abc", 3, 0, 0, kSame}},
        {"after 751 ms it is a new tap",
         {20, 10, u"abc"},
         {{kTap, 1, 1000}, {kTap, 1, 1751}},
         {u"abc", 1, 0, 1, kSame}},
        {"a character typed over a double tap replaces all",
         {20, 10, u"abc"},
         {{kTap, 1, 1000}, {kTap, 1, 1200}, {kChar, 'x'}},
         {u"x", 1, 0, -1, kChanged}},
        {"Ctrl+C, Ctrl+V and Backspace's character only end the selection",
         {20, 10, u"abc"},
         {{kChar, kCtrlA},
          {kChar, kCtrlC},
          {kChar, kCtrlA},
          {kChar, kCtrlV},
          {kChar, kCtrlA},
          {kChar, kBack}},
         {u"abc", 3, 0, -1, kSame}},
        {"End scrolls the end into view",
         {30, 8, kLong},
         {{kVKey, kEnd}},
         {kLong, 20, 12, -1, kSame}},
        {"Home scrolls back to the start",
         {30, 8, kLong},
         {{kVKey, kEnd}, {kVKey, kHome}},
         {kLong, 0, 0, -1, kSame}},
        {"typing past the last column scrolls by one",
         {30, 4, u""},
         {{kType, 0}},
         {u"abcdef", 6, 2, -1, kChanged}},
        {"moving left onto column 0 brings back half a field",
         {30, 8, kLong},
         endThenLefts,
         {kLong, 12, 8, -1, kSame}},
        {"a tap on column 0 brings back half a field",
         {30, 8, kLong},
         {{kVKey, kEnd}, {kTap, 0, 1000}},
         {kLong, 12, 8, 12, kSame}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditText edit;
        edit.setup(c.start.maxLength, c.start.columns);
        edit.setText(c.start.text);
        EditText::Result last = EditText::kUnchanged;
        for (const Step& s : c.steps) {
            switch (s.op) {
                case kType:
                    for (const char16_t* t = typed[s.value]; *t; ++t) last = edit.key(*t, 1);
                    break;
                case kChar:
                case kVKey:
                    last = edit.key(s.value, s.op == kChar ? 1 : 2);
                    break;
                case kTap:
                    edit.tap(s.value, s.tick);
                    break;
                case kDrag:
                    edit.drag(s.value);
                    break;
            }
        }
        EXPECT_EQ(std::u16string(edit.text()), std::u16string(c.want.text));
        EXPECT_EQ(edit.caret(), c.want.caret);
        EXPECT_EQ(edit.scroll(), c.want.scroll);
        EXPECT_EQ(edit.anchor(), c.want.anchor);
        EXPECT_EQ(last, c.want.last);
    }
}
