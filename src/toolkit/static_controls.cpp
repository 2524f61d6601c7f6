// Label, TextBlock and GroupBox: setup and drawing. Breaking a text into lines is
// raster/text_lines.h's.
#include "toolkit/static_controls.h"

#include <algorithm>
#include <vector>

#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "raster/text_lines.h"

namespace {

constexpr uint16_t kFrameColour = 0xC618, kTitleColour = 0xFFFF;

int length(const char16_t* text) {
    return text ? static_cast<int>(std::char_traits<char16_t>::length(text)) : 0;
}

}  // namespace

void Label::setup(int x0, int y0, const char16_t* newText, int w, bool copy) {
    Reset();
    x = x0, y = y0;
    if (copy && newText) {
        copy_ = newText;
        text = copy_.c_str();
        ownsText = true;
    } else {
        text = newText;
    }
    width = w < 0 ? kGlyphWidth * length(text) : w;
    maxChars = width / kGlyphWidth;
}

void Label::Reset() {
    copy_.clear();
    text = nullptr;
    ownsText = false;
}

void Label::Draw() {
    if (visible() && text) drawTextPart(x, y, text, 0, maxChars, colour);
}

void TextBlock::setup(const char16_t* text, int x0, int y0, int maxWidth, int maxHeight,
                      bool shrink, bool centre) {
    Reset();
    x = x0, y = y0;
    width = std::min(maxWidth, gDisplay.width);
    height = maxHeight;
    const int charsPerLine = std::max(1, width / kGlyphWidth);
    const std::vector<std::u16string> broken = breakTextLines(text ? text : u"", charsPerLine);
    for (const std::u16string& line : broken) {
        auto* owned = new std::u16string(line);
        if (!lines.addTail(owned)) delete owned;
    }
    if (shrink) {
        const int chars = broken.size() == 1 ? static_cast<int>(broken[0].size()) : charsPerLine;
        width = chars * kGlyphWidth;
        // Never taller than asked: a box centred on the screen then stays on it.
        height = std::min(lines.count() * kGlyphHeight, std::max(0, maxHeight));
    }
    if (centre) {
        x = std::max(0, x - width / 2);
        y -= height / 2;
    }
}

void TextBlock::Reset() {
    for (PtrNode* n = lines.head(); n; n = n->next) delete static_cast<std::u16string*>(n->data);
    lines.removeAll();
}

void TextBlock::Draw() {
    if (!visible() || y < 0) return;
    const int last = std::min(gDisplay.height, y + height - kGlyphHeight);
    int lineY = y;
    for (PtrNode* n = lines.head(); n && lineY <= last; n = n->next, lineY += kGlyphHeight)
        drawText(x, lineY, static_cast<std::u16string*>(n->data)->c_str(), colour);
}

void GroupBox::setup(int x0, int y0, int w, int h, const char16_t* text) {
    Reset();
    x = x0, y = y0, width = w, height = h;
    title = text;
}

void GroupBox::Draw() {
    if (!visible() || height < 7) return;
    const int titleWidth = std::max(0, std::min(kGlyphWidth * length(title), width - 12));
    const int offset = (width - titleWidth) / 2;
    const int top = y + 6, right = x + width - 1, bottom = y + height - 1;
    drawLine(x + offset - 4, top, x, top, kFrameColour, 0);
    drawLine(x, top, x, bottom, kFrameColour, 0);
    drawLine(x, bottom, right, bottom, kFrameColour, 0);
    drawLine(right, bottom, right, top, kFrameColour, 0);
    drawLine(right, top, x + width - offset + 3, top, kFrameColour, 0);
    if (title) drawTextPart(x + offset, y, title, 0, titleWidth / kGlyphWidth, kTitleColour);
}
