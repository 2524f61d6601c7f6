// Line breaking of the text box: known cases, and invariants over many widths (no line too
// long, nothing lost but the whitespace a break consumed, breaks at spaces where one exists).
#include "raster/text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(TextLines, BreaksAtSpacesFeedsAndOverlongWords) {
    struct Case {
        std::u16string text;
        int width;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"short", 10, {u"short"}},
        {u"", 10, {u""}},
        {u"Saint Petersburg", 10, {u"Saint", u"Petersburg"}},
        {u"one two three", 7, {u"one two", u"three"}},
        {u"one two three", 6, {u"one", u"two", u"three"}},
        {u"first\nsecond line", 40, {u"first", u"second line"}},
        {u"Llanfairpwllgwyngyll", 8, {u"Llanfair", u"pwllgwyn", u"gyll"}},
        {u"ab cdefghijkl", 4, {u"ab", u"cdef", u"ghij", u"kl"}},
        {u"abcd efgh", 4, {u"abcd", u"efgh"}},
    };
    for (const Case& c : cases) EXPECT_EQ(breakTextLines(c.text, c.width), c.lines);
}

TEST(TextLines, NothingIsLostAndNoLineIsTooLong) {
    const std::u16string text =
        u"Villa de San Antonio de los Cobres, Departamento Los Andes (a long name) end";
    auto letters = [](std::u16string s) {
        s.erase(std::remove(s.begin(), s.end(), u' '), s.end());
        return s;
    };
    for (int width = 1; width <= 80; ++width) {
        std::u16string joined;
        for (const std::u16string& line : breakTextLines(text, width)) {
            EXPECT_LE(static_cast<int>(line.size()), width);
            joined += line;
        }
        EXPECT_EQ(letters(joined), letters(text)) << "width " << width;
    }
}

}  // namespace
