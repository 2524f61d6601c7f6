// The interface pictures other than the splash, each drawn from its text source in assets/:
// the font picture from the glyph files, the sprite sheets from their layout files, the
// keyboard layouts from the key tables the soft keyboard also hit-tests with.
#pragma once

#include <string>

#include "canvas.h"
#include "glyphs.h"

namespace assets {

// Font picture (resource 127, 156 × 40): white glyphs on the transparent key, each at the
// place the program's glyph table looks for it.
Canvas drawFontPicture(const GlyphFont& font);

// A sprite sheet from a layout file (format in assets/README.md); false with a reason naming the
// line when the file is malformed.
bool drawSheet(const std::string& path, Canvas* out, std::string* error);

// Keyboard picture 121, 122 or 123 (240 × 81): key outlines and labels in white on the
// transparent key, the program tints them when it draws.
Canvas drawKeyboard(int pictureId, const GlyphFont& font);

}  // namespace assets
