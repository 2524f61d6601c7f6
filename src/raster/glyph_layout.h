// Where each character's 6 × 10 glyph sits in the font picture (resource 127, 156 × 40):
// the one table that both the font (drawing) and the asset generator (placing the glyphs
// when it draws the picture) read. Header only, no dependencies.
#pragma once

namespace glyph_layout {

constexpr int kWidth = 6, kHeight = 10;  // pixels a glyph
constexpr int kPictureWidth = 156, kPictureHeight = 40;
constexpr int kUnknownX = 114, kUnknownY = 20;  // the unknown-character glyph

struct Cell {
    int x, y;  // top-left corner in the font picture, pixels
};

// The glyph of character `code`; codes without a glyph of their own (including every code
// outside 0..255) get the unknown-character glyph.
constexpr Cell cellOf(int code) {
    if (code >= 'A' && code <= 'Z') return {(code - 'A') * kWidth, 0};
    if (code >= 'a' && code <= 'z') return {(code - 'a') * kWidth, 10};
    if (code >= '0' && code <= '9') return {(code - '0') * kWidth, 20};
    // The rest of row 20 in order, then row 30, which ends with the printable ASCII marks
    // that labels and messages may hold; '\x01' marks the unknown glyph's place.
    constexpr char kRow20[] = ".,:?!/+- \x01\xB0'%_()";
    constexpr char kRow30[] = "=<>\"#$&*;@[\\]^`{|}~";
    for (int i = 0; kRow20[i]; ++i)
        if (kRow20[i] != '\x01' && code == static_cast<unsigned char>(kRow20[i]))
            return {60 + i * kWidth, 20};
    for (int i = 0; kRow30[i]; ++i)
        if (code == kRow30[i]) return {i * kWidth, 30};
    return {kUnknownX, kUnknownY};
}

}  // namespace glyph_layout
