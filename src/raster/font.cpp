// Glyph table and text drawing. Each glyph is one tinted transparent copy, cut down to the
// part of its cell that lies on the screen.

#include "raster/font.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "raster/back_buffer.h"
#include "raster/glyph_layout.h"
#include "raster/image_buffer.h"
#include "raster/pictures.h"
#include "raster/text_log.h"

namespace {

struct GlyphPosition {
    int32_t x, y;  // top-left corner in the font picture, pixels
};

std::unique_ptr<ImageBuffer> gFontPicture;
GlyphPosition gGlyphs[256];

int textLength(const char16_t* text) {
    int n = 0;
    while (text[n]) ++n;
    return n;
}

// One glyph at (x, y), clipped to the screen.
void drawGlyph(int x, int y, char16_t code, uint16_t colour) {
    if (y <= -kGlyphHeight || y >= gDisplay.height) return;
    const GlyphPosition& glyph = gGlyphs[code < 256 ? code : 0];
    int left = x < 0 ? -x : 0, top = y < 0 ? -y : 0;
    int right = std::min(kGlyphWidth, gDisplay.width - x);
    int bottom = std::min(kGlyphHeight, gDisplay.height - y);
    if (left >= right || top >= bottom) return;
    copyTinted(*gFontPicture, backBuffer(), x + left, y + top, gDisplay.width, gDisplay.height,
               glyph.x + left, glyph.y + top, right - left, bottom - top, colour);
}

// Draws characters [start, end) of `text` from (x, y); x advances in 64 bits so that a
// string starting far left cannot overflow.
void drawRun(int x, int y, const char16_t* text, int start, int end, uint16_t colour) {
    logText(x, y, colour, text + start, end - start);
    if (!gFontPicture || !backBuffer()) return;
    for (int i = start; i < end; ++i) {
        int64_t gx = int64_t(x) + int64_t(i - start) * kGlyphWidth;
        if (gx >= gDisplay.width) break;
        if (gx > -kGlyphWidth) drawGlyph(int(gx), y, text[i], colour);
    }
}

void drawFormatted(int x, int y, const char* ascii) {
    char16_t wide[64];
    int n = 0;
    for (; ascii[n] && n < 63; ++n) wide[n] = char16_t(static_cast<unsigned char>(ascii[n]));
    wide[n] = 0;
    drawText(x, y, wide, 0xFFFF);
}

}  // namespace

bool loadFont() {
    auto picture = std::make_unique<ImageBuffer>(kFontPicture);
    if (!picture->load(nullptr, true) || picture->width() != glyph_layout::kPictureWidth ||
        picture->height() != glyph_layout::kPictureHeight)
        return false;
    for (int code = 0; code < 256; ++code) {
        glyph_layout::Cell cell = glyph_layout::cellOf(code);
        gGlyphs[code] = {cell.x, cell.y};
    }
    gFontPicture = std::move(picture);
    return true;
}

void releaseFont() {
    gFontPicture.reset();
}

void drawText(int x, int y, const char16_t* text, uint16_t colour) {
    drawRun(x, y, text, 0, textLength(text), colour);
}

int drawTextPart(int x, int y, const char16_t* text, int start, int count, uint16_t colour) {
    int length = textLength(text);
    if (start < 0 || start >= length || count < 1) return length;
    int end = count < length - start ? start + count : length;
    drawRun(x, y, text, start, end, colour);
    return length;
}

void drawInteger(int x, int y, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    drawFormatted(x, y, text);
}

void drawReal(int x, int y, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    drawFormatted(x, y, text);
}
