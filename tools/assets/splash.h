// The splash picture (resource 110, 240 × 320): the Earth as a lit sphere seen from space,
// rendered from the NASA day and night photographs, under the program's name in large
// letters enlarged from a bitmap font. Leaves the band y 100..140 free for the start-up
// text and progress bar. The desktop icon is the same sphere alone on a transparent ground.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "glyphs.h"
#include "jpeg_file.h"

namespace assets {

// Renders the splash; false with a reason when a photograph cannot be read.
bool drawSplash(const std::string& dayJpeg, const std::string& nightJpeg,
                const GlyphFont& titleFont, Canvas* out, std::string* error);

// Renders the icon, `size` pixels square: the splash's globe filling the square but for a
// small margin, its edge smoothed in the alpha channel. `rgba` gets 4 bytes a pixel, rows
// top to bottom, alpha not premultiplied.
void drawIcon(const RgbPicture& day, const RgbPicture& night, int size, std::vector<uint8_t>* rgba);

}  // namespace assets
