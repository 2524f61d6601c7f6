// Line breaking of the text box: known cases, and invariants over many widths (no line too
// long, nothing lost but the whitespace a break consumed, breaks at spaces where one exists).
#include "raster/text_lines.h"

#include <gtest/gtest.h>

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
    for (int width = 1; width <= 80; ++width) {
        std::u16string joined;
        for (const std::u16string& line : breakTextLines(text, width)) {
            EXPECT_LE(static_cast<int>(line.size()), width);
            joined += line;
        }
        std::u16string letters;
        for (char16_t c : text)
            if (c != u' ') letters += c;
        std::u16string joinedLetters;
        for (char16_t c : joined)
            if (c != u' ') joinedLetters += c;
        EXPECT_EQ(joinedLetters, letters) << "width " << width;
    }
}

}  // namespace
