// The bitmap font: 6 × 10 glyphs cut from the font picture (resource 127) and tinted to the
// text colour, for every text on the screen, and number formatting for drawn numbers.
// Text is clipped to the screen; every drawn string is also recorded in the text log.
#pragma once

#include <cstdint>

constexpr int kGlyphWidth = 6, kGlyphHeight = 10;  // pixels a character

// Decodes the font picture and fills the glyph table; false when the picture cannot be
// loaded (start-up then ends with the memory message). Safe to call again.
bool loadFont();
// Frees the font picture; text draws nothing until loadFont succeeds again.
void releaseFont();

// Draws `text` (zero-terminated UTF-16) from (x, y) rightwards, 6 pixels a character, each
// white glyph pixel becoming `colour`. Codes without a glyph, and codes of 256 and above,
// draw the unknown-character glyph. Parts off the screen are not drawn.
void drawText(int x, int y, const char16_t* text, uint16_t colour);

// Draws at most `count` characters of `text` from index `start`, stopping at the terminating
// zero; nothing when start is negative or not below the length or count is below 1.
// Returns the length of the whole text.
int drawTextPart(int x, int y, const char16_t* text, int start, int count, uint16_t colour);

// Draws `value` formatted with "%d", in white.
void drawInteger(int x, int y, int value);
// Draws `value` formatted with "%.3f", in white.
void drawReal(int x, int y, double value);
