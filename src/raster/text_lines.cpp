// Line breaking for the fixed-width font: shared by the toolkit's text block and by map
// labels too long for the screen, so both wrap a text the same way.
#include "raster/text_lines.h"

namespace {

bool isBreakSpace(char16_t c) {
    return c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == u' ';
}

}  // namespace

std::vector<std::u16string> breakTextLines(const std::u16string& text, int charsPerLine) {
    const size_t width = charsPerLine < 1 ? 1 : static_cast<size_t>(charsPerLine);
    if (text.size() < width && text.find(u'\n') == std::u16string::npos) return {text};
    std::vector<std::u16string> lines;
    std::u16string line;
    size_t lastSpace = std::u16string::npos;  // index in `line` of its last whitespace
    for (char16_t c : text) {
        if (c == u'\n') {
            lines.push_back(line);
            line.clear();
            lastSpace = std::u16string::npos;
            continue;
        }
        if (line.size() == width) {
            if (isBreakSpace(c)) {  // the line ends just here; the space goes with it
                lines.push_back(line);
                line.clear();
                lastSpace = std::u16string::npos;
                continue;
            }
            if (lastSpace != std::u16string::npos) {
                lines.push_back(line.substr(0, lastSpace));
                line.erase(0, lastSpace + 1);
            } else {  // one word fills the line: cut it
                lines.push_back(line);
                line.clear();
            }
            lastSpace = std::u16string::npos;
            for (size_t i = 0; i < line.size(); ++i)
                if (isBreakSpace(line[i])) lastSpace = i;
        }
        if (isBreakSpace(c)) lastSpace = line.size();
        line.push_back(c);
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}
