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
    int value;          // kType: index into the case's texts; kChar/kVKey: code; kTap/kDrag: column
    uint32_t tick = 0;  // kTap: tick count (ms)
};
struct Case {
    const char* name;
    int maxLength, columns;
    const char16_t* start;
    std::vector<Step> steps;
    const char16_t* text;  // after the steps
    int caret, scroll, anchor;
    EditText::Result last;  // what the last key answered
};

constexpr int kCtrlA = 1, kCtrlC = 3, kCtrlV = 22, kCtrlX = 24;
constexpr int kBack = 8, kEnd = 35, kHome = 36, kLeft = 37, kRight = 39, kDelete = 46;

}  // namespace

TEST(EditText, StepsEndInTheExpectedState) {
    const char16_t* const typed[] = {u"abcdef", u"Paris\r\t\x1b"};
    const Case cases[] = {
        {"the sixth character at a limit of five is dropped",
         5,
         10,
         u"",
         {{kType, 0}},
         u"abcde",
         5,
         0,
         -1,
         EditText::kUnchanged},
        // Enter, Tab and Escape used to be typed, invisible, into the city search.
        {"control codes are not typed; Enter is reported",
         20,
         10,
         u"",
         {{kType, 1}, {kChar, 13}},
         u"Paris",
         5,
         0,
         -1,
         EditText::kEnter},
        {"deleting a selection dragged rightwards puts the caret at its start",
         20,
         10,
         u"hello world",
         {{kTap, 2, 1000}, {kDrag, 6}, {kChar, kCtrlX}},
         u"heworld",
         2,
         0,
         -1,
         EditText::kChanged},
        {"a selection dragged leftwards leaves the caret where it is",
         20,
         10,
         u"hello world",
         {{kTap, 6, 1000}, {kDrag, 2}, {kVKey, kDelete}},
         u"heworld",
         2,
         0,
         -1,
         EditText::kChanged},
        {"a caret past half a field comes back with half a field shown before it",
         30,
         8,
         u"abcdefghijklmnopqrst",
         {{kVKey, kEnd}, {kTap, 2, 1000}, {kDrag, 6}, {kChar, kCtrlX}},
         u"abcdefghijklmnst",
         14,
         10,
         -1,
         EditText::kChanged},
        {"a second tap on the same column within 750 ms selects everything",
         20,
         10,
         u"abc",
         {{kTap, 1, 1000}, {kTap, 1, 1750}},
         u"abc",
         3,
         0,
         0,
         EditText::kUnchanged},
        {"after 751 ms it is a new tap",
         20,
         10,
         u"abc",
         {{kTap, 1, 1000}, {kTap, 1, 1751}},
         u"abc",
         1,
         0,
         1,
         EditText::kUnchanged},
        {"a tap on another column is a new tap",
         20,
         10,
         u"abc",
         {{kTap, 1, 1000}, {kTap, 2, 1100}},
         u"abc",
         2,
         0,
         2,
         EditText::kUnchanged},
        {"a character typed over a double tap replaces everything",
         20,
         10,
         u"abc",
         {{kTap, 1, 1000}, {kTap, 1, 1200}, {kChar, 'x'}},
         u"x",
         1,
         0,
         -1,
         EditText::kChanged},
        {"Ctrl+A selects all without a change; Ctrl+X then deletes it",
         20,
         10,
         u"abc",
         {{kChar, kCtrlA}, {kChar, kCtrlX}},
         u"",
         0,
         0,
         -1,
         EditText::kChanged},
        {"Ctrl+C, Ctrl+V and Backspace's character only end the selection",
         20,
         10,
         u"abc",
         {{kChar, kCtrlA},
          {kChar, kCtrlC},
          {kChar, kCtrlA},
          {kChar, kCtrlV},
          {kChar, kCtrlA},
          {kChar, kBack}},
         u"abc",
         3,
         0,
         -1,
         EditText::kUnchanged},
        {"End scrolls the last characters into view",
         30,
         8,
         u"abcdefghijklmnopqrst",
         {{kVKey, kEnd}},
         u"abcdefghijklmnopqrst",
         20,
         12,
         -1,
         EditText::kUnchanged},
        {"Home scrolls back to the start",
         30,
         8,
         u"abcdefghijklmnopqrst",
         {{kVKey, kEnd}, {kVKey, kHome}},
         u"abcdefghijklmnopqrst",
         0,
         0,
         -1,
         EditText::kUnchanged},
        {"typing past the last column scrolls by one",
         30,
         4,
         u"",
         {{kType, 0}},
         u"abcdef",
         6,
         2,
         -1,
         EditText::kChanged},
        {"moving left onto column 0 brings back half a field",
         30,
         8,
         u"abcdefghijklmnopqrst",
         {{kVKey, kEnd},
          {kVKey, kLeft},
          {kVKey, kLeft},
          {kVKey, kLeft},
          {kVKey, kLeft},
          {kVKey, kLeft},
          {kVKey, kLeft},
          {kVKey, kLeft},
          {kVKey, kLeft}},
         u"abcdefghijklmnopqrst",
         12,
         8,
         -1,
         EditText::kUnchanged},
        {"Backspace deletes before the caret, Delete after it",
         30,
         8,
         u"abcd",
         {{kVKey, kRight}, {kVKey, kRight}, {kVKey, kBack}, {kVKey, kDelete}},
         u"ad",
         1,
         0,
         -1,
         EditText::kChanged},
        {"a tap on column 0 of a scrolled text brings back half a field",
         30,
         8,
         u"abcdefghijklmnopqrst",
         {{kVKey, kEnd}, {kTap, 0, 1000}},
         u"abcdefghijklmnopqrst",
         12,
         8,
         12,
         EditText::kUnchanged},
        {"a tap past the end puts the caret at the end",
         30,
         8,
         u"ab",
         {{kTap, 6, 1000}},
         u"ab",
         2,
         0,
         2,
         EditText::kUnchanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditText edit;
        edit.setup(c.maxLength, c.columns);
        edit.setText(c.start);
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
        EXPECT_EQ(std::u16string(edit.text()), std::u16string(c.text));
        EXPECT_EQ(edit.caret(), c.caret);
        EXPECT_EQ(edit.scroll(), c.scroll);
        EXPECT_EQ(edit.anchor(), c.anchor);
        EXPECT_EQ(last, c.last);
    }
}
