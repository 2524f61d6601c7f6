// The font picture: every code 0..255 that has a glyph cell of its own, plus the
// unknown-character glyph, copied from the converted misc-fixed glyphs.

#include "pictures.h"
#include "raster/glyph_layout.h"

namespace assets {

namespace {
constexpr int kUnknownCode = 65533;  // the hand-drawn box in assets/font_extra.txt
}

Canvas drawFontPicture(const GlyphFont& font) {
    Canvas out(glyph_layout::kPictureWidth, glyph_layout::kPictureHeight, kKey);
    for (int code = 0; code < 256; ++code) {
        glyph_layout::Cell cell = glyph_layout::cellOf(code);
        if (cell.x == glyph_layout::kUnknownX && cell.y == glyph_layout::kUnknownY) continue;
        drawGlyph(&out, font, code, cell.x, cell.y, 0xFFFFFF);
    }
    drawGlyph(&out, font, kUnknownCode, glyph_layout::kUnknownX, glyph_layout::kUnknownY, 0xFFFFFF);
    return out;
}

}  // namespace assets
