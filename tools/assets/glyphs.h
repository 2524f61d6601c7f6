// Bitmap glyphs read from the text glyph files in assets/ ("font W H", then "glyph CODE"
// followed by H rows of '#' ink and '.' paper), and drawing them onto a canvas.
// Codes are Unicode code points; the font picture decides which of them the program gets.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "canvas.h"

namespace assets {

struct GlyphFont {
    int width = 0, height = 0;                       // cell size, pixels
    std::map<int, std::vector<std::string>> glyphs;  // code → height rows of width chars
};

// Reads a glyph file; false with a reason naming the line when it is malformed.
bool readGlyphFont(const std::string& path, GlyphFont* font, std::string* error);

// Whether the glyph's cell has ink at (x, y); false for unknown codes or outside the cell.
bool glyphInk(const GlyphFont& font, int code, int x, int y);

// Draws the ink of `code` with its cell's top-left corner at (x, y).
void drawGlyph(Canvas* canvas, const GlyphFont& font, int code, int x, int y, uint32_t c);

// Draws UTF-8 `text` from (x, y) rightwards, one cell per character.
void drawText(Canvas* canvas, const GlyphFont& font, const std::string& text, int x, int y,
              uint32_t c);

// The code points of UTF-8 `text` (malformed bytes are taken as Latin-1).
std::vector<int> decodeUtf8(const std::string& text);

}  // namespace assets
