// The splash picture (resource 110, 240 × 320): the Earth as a lit sphere seen from space,
// rendered from the NASA day and night photographs, under the program's name in large
// letters enlarged from a bitmap font. Leaves the band y 100..140 free for the start-up
// text and progress bar.
#pragma once

#include <string>

#include "canvas.h"
#include "glyphs.h"

namespace assets {

// Renders the splash; false with a reason when a photograph cannot be read.
bool drawSplash(const std::string& dayJpeg, const std::string& nightJpeg,
                const GlyphFont& titleFont, Canvas* out, std::string* error);

}  // namespace assets
