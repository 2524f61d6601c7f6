// The pending map-set message and its stand-in drawing: lines wrapped at spaces to the
// screen width, the block centred on the screen. No box, no buttons: that is the toolkit's.

#include "texture/map_message.h"

#include <string>
#include <vector>

#include "raster/back_buffer.h"
#include "raster/font.h"

void showMapSetMessage(const char* text, bool openOptionsOnClose) {
    gMapSetMessage = MapSetMessage{true, text, openOptionsOnClose};
}

bool takeMapSetMessage(MapSetMessage* out) {
    if (!gMapSetMessage.pending) return false;
    *out = gMapSetMessage;
    gMapSetMessage = MapSetMessage{};
    return true;
}

namespace {

// Splits at '\n', then breaks each paragraph at the last space that keeps a line within
// `columns` characters (a word longer than a line is cut).
std::vector<std::u16string> wrapLines(const std::string& text, size_t columns) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string paragraph = text.substr(start, end - start);
        while (paragraph.size() > columns) {
            size_t cut = paragraph.rfind(' ', columns);
            if (cut == std::string::npos || cut == 0) cut = columns;
            lines.emplace_back(paragraph.begin(), paragraph.begin() + cut);
            paragraph.erase(0, paragraph[cut] == ' ' ? cut + 1 : cut);
        }
        lines.emplace_back(paragraph.begin(), paragraph.end());
        start = end + 1;
    }
    return lines;
}

}  // namespace

void drawMapSetMessage() {
    if (!gMapSetMessage.pending || gDisplay.width < kGlyphWidth) return;
    std::vector<std::u16string> lines =
        wrapLines(gMapSetMessage.text, static_cast<size_t>(gDisplay.width / kGlyphWidth));
    const int lineHeight = kGlyphHeight + 2;
    int y = (gDisplay.height - static_cast<int>(lines.size()) * lineHeight) / 2;
    for (const std::u16string& line : lines) {
        int x = (gDisplay.width - static_cast<int>(line.size()) * kGlyphWidth) / 2;
        drawText(x, y, line.c_str(), 0xFFFF);
        y += lineHeight;
    }
}
