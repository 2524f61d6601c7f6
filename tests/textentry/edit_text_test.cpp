// The edit field's record driven directly: deleting a selection, the double tap, Ctrl+X, Home
// and End with a scrolled text. Each case is a run of steps and the state it must end in. The
// keys not typed are the edit field's test; the length limit and scrolling while typing Find
// City's end to end.
#include "toolkit/edit_text.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

// Runs the steps, separated by blanks: "+text" types each character, "^X" a control code,
// "#13" a character code, "end", "home", "left" and "del" virtual keys, "tap2@1000" a tap
// on column 2 at tick 1000 ms and "drag6" a drag to column 6. Returns what the last key did.
EditText::Result runSteps(EditText& edit, const std::string& steps) {
    static const std::map<std::string, int> kVKeys = {
        {"end", 35}, {"home", 36}, {"left", 37}, {"del", 46}};
    EditText::Result last = EditText::kUnchanged;
    std::istringstream in(steps);
    for (std::string s; in >> s;) {
        if (s[0] == '+')
            for (char c : s.substr(1)) last = edit.key(c, 1);
        else if (s[0] == '^')
            last = edit.key(s[1] - '@', 1);
        else if (s[0] == '#')
            last = edit.key(std::stoi(s.substr(1)), 1);
        else if (kVKeys.count(s))
            last = edit.key(kVKeys.at(s), 2);
        else if (s.rfind("tap", 0) == 0)
            edit.tap(std::stoi(s.substr(3)), uint32_t(std::stoi(s.substr(s.find('@') + 1))));
        else
            edit.drag(std::stoi(s.substr(4)));
    }
    return last;
}

constexpr EditText::Result kSame = EditText::kUnchanged, kChanged = EditText::kChanged;
const char16_t kLong[] = u"abcdefghijklmnopqrst";

TEST(EditText, StepsEndInTheExpectedState) {
    const struct {
        const char* name;
        int maxLength, columns;
        const char16_t* start;
        const char* steps;
        const char16_t* text;
        int caret, scroll, anchor;
        EditText::Result last;
    } cases[] = {
        {"a selection dragged rightwards, deleted: the caret goes to its start", 20, 10,
         u"hello world", "tap2@1000 drag6 ^X", u"heworld", 2, 0, -1, kChanged},
        {"a selection dragged leftwards, deleted: the caret stays", 20, 10, u"hello world",
         "tap6@1000 drag2 del", u"heworld", 2, 0, -1, kChanged},
        {"a start past half a field: half a field shown before the caret", 30, 8, kLong,
         "end tap2@1000 drag6 ^X", u"abcdefghijklmnst", 14, 10, -1, kChanged},
        {"a second tap on the column within 750 ms selects all", 20, 10, u"abc",
         "tap1@1000 tap1@1750", u"abc", 3, 0, 0, kSame},
        {"after 751 ms it is a new tap", 20, 10, u"abc", "tap1@1000 tap1@1751", u"abc", 1, 0, 1,
         kSame},
        {"a character typed over a double tap replaces all", 20, 10, u"abc",
         "tap1@1000 tap1@1200 +x", u"x", 1, 0, -1, kChanged},
        {"Ctrl+C, Ctrl+V and Backspace's character only end the selection", 20, 10, u"abc",
         "^A ^C ^A ^V ^A #8", u"abc", 3, 0, -1, kSame},
        {"End scrolls the end into view", 30, 8, kLong, "end", kLong, 20, 12, -1, kSame},
        {"Home scrolls back to the start", 30, 8, kLong, "end home", kLong, 0, 0, -1, kSame},
        {"moving left onto column 0 brings back half a field", 30, 8, kLong,
         "end left left left left left left left left", kLong, 12, 8, -1, kSame},
        {"a tap on column 0 brings back half a field", 30, 8, kLong, "end tap0@1000", kLong, 12, 8,
         12, kSame},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditText edit;
        edit.setup(c.maxLength, c.columns);
        edit.setText(c.start);
        EXPECT_EQ(runSteps(edit, c.steps), c.last);
        EXPECT_EQ(std::u16string(edit.text()), std::u16string(c.text));
        EXPECT_EQ(edit.caret(), c.caret);
        EXPECT_EQ(edit.scroll(), c.scroll);
        EXPECT_EQ(edit.anchor(), c.anchor);
    }
}

}  // namespace
