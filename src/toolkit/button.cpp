// The push button: drawing in its three looks and the stroke that makes a click.
#include "toolkit/button.h"

#include <algorithm>
#include <string>

#include "platform/loop.h"
#include "raster/draw.h"
#include "raster/font.h"

namespace {

constexpr uint16_t kFace = 0x8C71, kLight = 0xD6BA, kDark = 0x2104, kPressedLight = 0xB5B6;
constexpr uint16_t kDisabledFace = 0x528A, kDisabledEdge = 0x8410, kLabel = 0xFFFF;

}  // namespace

void Button::setup(int x0, int y0, int w, int h, const char16_t* text, int cmd, bool post) {
    Reset();
    width = w, height = h;
    label = text;
    command = cmd;
    postCommand = post;
    MoveTo(x0, y0);
}

void Button::MoveTo(int x0, int y0) {
    x = x0, y = y0;
    const int length = label ? static_cast<int>(std::char_traits<char16_t>::length(label)) : 0;
    labelX = std::max(x, x + (width - kGlyphWidth * length) / 2);
    labelY = y + (height - kGlyphHeight) / 2;
    labelMaxChars = std::min(length, (x + width - labelX) / kGlyphWidth);
}

void Button::Draw() {
    if (!visible()) return;
    int shift = 0;
    if (!enabled()) {
        fillRect(x, y, width, height, kDisabledFace);
        bevelRect(x, y, width, height, kDisabledEdge, kDisabledEdge);
    } else if (pressed) {
        fillRect(x, y, width, height, kFace);
        bevelRect(x + 1, y + 1, width - 1, height - 1, kDark, kPressedLight);
        shift = 1;
    } else {
        fillRect(x, y, width, height, kFace);
        bevelRect(x, y, width, height, kLight, kDark);
    }
    if (label) drawTextPart(labelX + shift, labelY + shift, label, 0, labelMaxChars, kLabel);
}

bool Button::contains(Point p) const {
    return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height;
}

int Button::StylusDown(Point p, Widget** capture) {
    if (!contains(p)) return 0;
    pressed = true;
    *capture = this;
    return 1;
}

int Button::StylusMove(Point p) {
    pressed = contains(p);
    return 1;
}

// The release point decides, even when no move came before it.
int Button::StylusUp(Point p) {
    const bool click = pressed && contains(p);
    pressed = false;
    if (!click) return 0;
    if (postCommand) platform::postMessage(platform::WM_COMMAND, command, 0);
    return 1;
}
