// Keyboard pictures: every key of the table as a rounded outline with its label centred in
// it. Keys that send the same Enter code form one key drawn as the outline of their union.

#include <algorithm>
#include <climits>

#include "base/keyboard_layout.h"
#include "pictures.h"

namespace assets {

namespace {

using keyboard_layout::Key;

constexpr int kWidth = 240, kHeight = 81;
constexpr uint32_t kInk = 0xFFFFFF;

bool isEnter(const Key& k) {
    return k.kind == keyboard_layout::kCharacter && k.code == 13;
}

// The label of a key: its character, or a word or symbol for the special keys.
std::string labelOf(const Key& k, int pictureId) {
    if (k.kind == keyboard_layout::kModifier) {
        switch (-k.code) {
            case keyboard_layout::kSymbols:
                return pictureId == 121 ? "abc" : "123";
            case keyboard_layout::kCapsLock:
                return "Caps";
            case keyboard_layout::kShift:
                return "Shift";
            case keyboard_layout::kControl:
                return "Ctl";
            default:
                return "Alt";
        }
    }
    if (k.kind == keyboard_layout::kVirtualKey) {
        switch (k.code) {
            case 8:
                return "<-";
            case 46:
                return "Del";
            case 37:
                return "\u2190";
            case 38:
                return "\u2191";
            case 39:
                return "\u2192";
            default:
                return "\u2193";
        }
    }
    switch (k.code) {
        case 9:
            return "Tab";
        case 13:
            return "\u21b5";
        case 32:
            return "";
        case 128:
            return "\u20ac";  // the euro sign's code on this keyboard
    }
    std::string utf8;
    if (k.code < 0x80) return std::string(1, char(k.code));
    utf8 += char(0xC0 | (k.code >> 6));
    utf8 += char(0x80 | (k.code & 0x3F));
    return utf8;
}

// Draws `label` so that its ink (not its cells) is centred on the key rectangle.
void drawLabel(Canvas* out, const GlyphFont& font, const std::string& label, const Key& k) {
    if (label.empty()) return;
    Canvas scratch(int(decodeUtf8(label).size()) * font.width, font.height, 0);
    drawText(&scratch, font, label, 0, 0, kInk);
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    for (int y = 0; y < scratch.height; ++y)
        for (int x = 0; x < scratch.width; ++x)
            if (scratch.at(x, y) == kInk) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0) return;
    int dx = k.x + (k.width - (right - left + 1) + 1) / 2 - left;
    int dy = k.y + (k.height - (bottom - top + 1) + 1) / 2 - top;
    drawText(out, font, label, dx, dy, kInk);
}

// Outline of the union of `keys`, with the outer corners cut for a rounded look.
void drawOutline(Canvas* out, const std::vector<Key>& keys) {
    std::vector<uint8_t> mask(kWidth * kHeight, 0);
    for (const Key& k : keys)
        for (int y = k.y; y < k.y + k.height && y < kHeight; ++y)
            for (int x = k.x; x < k.x + k.width && x < kWidth; ++x) mask[y * kWidth + x] = 1;
    auto in = [&mask](int x, int y) {
        return x >= 0 && y >= 0 && x < kWidth && y < kHeight && mask[y * kWidth + x];
    };
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            if (!in(x, y)) continue;
            bool sideOut = !in(x - 1, y) || !in(x + 1, y), endOut = !in(x, y - 1) || !in(x, y + 1);
            if (sideOut != endOut) out->set(x, y, kInk);
        }
}

}  // namespace

Canvas drawKeyboard(int pictureId, const GlyphFont& font) {
    const keyboard_layout::KeyTable& table = keyboard_layout::tableForPicture(pictureId);
    Canvas out(kWidth, kHeight, kKey);
    std::vector<Key> enter;
    for (int i = 0; i < table.count; ++i) {
        const Key& k = table.keys[i];
        if (isEnter(k)) {
            enter.push_back(k);
            continue;
        }
        drawOutline(&out, {k});
        drawLabel(&out, font, labelOf(k, pictureId), k);
    }
    if (!enter.empty()) {
        drawOutline(&out, enter);
        drawLabel(&out, font, labelOf(enter.back(), pictureId), enter.back());
    }
    return out;
}

}  // namespace assets
