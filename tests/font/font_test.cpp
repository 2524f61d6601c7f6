// Text drawing read back pixel by pixel against the glyph text sources the font picture is
// drawn from (assets/font_6x10.txt, assets/font_extra.txt), including clipping at every
// edge, the unknown-character glyph, partial strings and the text log.

#include "raster/font.h"

#include <climits>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "raster/text_log.h"
#include "screen.h"

namespace {

using Glyph = std::vector<std::string>;  // 10 rows of '#' / '.'

std::map<int, Glyph> readGlyphs(const std::string& file) {
    std::ifstream in(std::string(MUNDORA_SOURCE_DIR) + "/assets/" + file);
    std::map<int, Glyph> glyphs;
    std::string line;
    int code = -1;
    while (std::getline(in, line)) {
        if (line.rfind("glyph ", 0) == 0)
            code = std::stoi(line.substr(6));
        else if (code >= 0 && line.size() == 6 && line.find_first_not_of("#.") == std::string::npos)
            glyphs[code].push_back(line);
    }
    return glyphs;
}

const std::map<int, Glyph>& glyphs() {
    static const std::map<int, Glyph> all = [] {
        auto g = readGlyphs("font_6x10.txt");
        for (auto& [c, rows] : readGlyphs("font_extra.txt")) g[c] = rows;
        return g;
    }();
    return all;
}

constexpr int kUnknown = 65533;  // the hand-drawn box

// Characters that have a glyph of their own in the font picture: all of printable ASCII
// (labels and messages are free text; "&" and a dozen more used to draw the box) and the
// degree sign.
bool hasOwnGlyph(int c) {
    return (c >= ' ' && c <= '~') || c == 0xB0;
}

// The expected screen after drawing `text` at (x, y): every ink pixel that lies on the screen.
std::vector<uint16_t> expected(const std::u16string& text, long x, long y, uint16_t colour) {
    std::vector<uint16_t> screen(240 * 320, 0);
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph& g = glyphs().at(hasOwnGlyph(text[i]) ? text[i] : kUnknown);
        for (int row = 0; row < 10; ++row)
            for (int col = 0; col < 6; ++col) {
                long px = x + long(i) * 6 + col, py = y + row;
                if (g[row][col] == '#' && px >= 0 && py >= 0 && px < 240 && py < 320)
                    screen[py * 240 + px] = colour;
            }
    }
    return screen;
}

class FontTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(loadFont());
        clearTextLog();
    }
    void TearDown() override {
        releaseFont();
        ScreenTest::TearDown();
    }
};

struct TextCase {
    const char* name;
    std::u16string text;
    int x, y;
    uint16_t colour;
};

// Every glyph the picture holds, then clipping at each edge and at extreme positions.
TEST_F(FontTest, GlyphsLandWhereTheirSourcesSayAndClipAtEveryEdge) {
    const TextCase cases[] = {
        {"capitals", u"AZ", 10, 20, 0xFFFF},
        {"lower case", u"az", 100, 50, 0x07E0},
        {"digits and marks", u"09.,:?!/+-", 0, 0, 0xF800},
        {"second marks", u" \u00B0'%_()", 30, 300, 0x001F},
        {"last row", u"=<>\"#$&*;@[\\]^`{|}~", 100, 150, 0x1234},
        {"unknown: e acute and code 300", u"\u00E9\u012C", 50, 60, 0xFFE0},
        {"left", u"Wq", -4, 100, 0xFFFF},
        {"right", u"Mg", 235, 100, 0xFFFF},
        {"top", u"Hy", 100, -6, 0xFFFF},
        {"bottom", u"Qj", 100, 316, 0xFFFF},
        {"corner", u"Xb", -3, -3, 0xFFFF},
        {"far left", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", -150, 5, 0xFFFF},
        {"wholly off", u"Off", -1000000, 1000000, 0xFFFF},
        {"extreme", u"Edge", INT_MIN, INT_MAX, 0xFFFF},
        {"near int max", u"Far", INT_MAX - 5, 0, 0xFFFF},
        {"very high", u"Up", 10, INT_MIN, 0xFFFF},
    };
    for (const TextCase& c : cases) {
        clear();
        drawText(c.x, c.y, c.text.c_str(), c.colour);
        int diff = firstDifference(expected(c.text, c.x, c.y, c.colour));
        EXPECT_EQ(diff, -1) << c.name << ": first wrong pixel at " << diff % kW << "," << diff / kW;
    }
}

TEST_F(FontTest, TextPartDrawsTheRequestedCharacters) {
    struct Case {
        int start, count;
        std::u16string drawn;
    } cases[] = {{0, 3, u"Abc"}, {2, 10, u"cdef"}, {5, 1, u"f"}, {6, 1, u""},
                 {-1, 3, u""},   {1, 0, u""},      {1, -4, u""}, {0, INT_MAX, u"Abcdef"}};
    for (const Case& c : cases) {
        clear();
        EXPECT_EQ(drawTextPart(20, 30, u"Abcdef", c.start, c.count, 0xFFFF), 6);
        EXPECT_EQ(firstDifference(expected(c.drawn, 20, 30, 0xFFFF)), -1)
            << "start " << c.start << " count " << c.count;
    }
}

// Numbers are drawn in white.
TEST_F(FontTest, TextLogIsWrittenAsUtf8AndClearedPerFrame) {
    drawInteger(1, 2, -42);
    drawReal(3, 4, 2.5);
    drawReal(5, 6, -0.0004);
    EXPECT_EQ(textLogContents(), "1 2 0xFFFF -42\n3 4 0xFFFF 2.500\n5 6 0xFFFF -0.000\n");
    clearTextLog();
    drawText(50, 106, u"Initializing...", 0xFFFF);
    drawText(-7, 8, u"12\u00B0 caf\u00E9 \u20AC", 0x07E0);
    std::string path = std::string(MUNDORA_BINARY_DIR) + "/test_font_texts.txt";
    std::string error;
    ASSERT_TRUE(writeTextLog(path, &error)) << error;
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "50 106 0xFFFF Initializing...\n-7 8 0x07E0 12\xC2\xB0 caf\xC3\xA9 \xE2\x82\xAC\n");
    clearTextLog();
    EXPECT_EQ(textLogContents(), "");
}

}  // namespace
