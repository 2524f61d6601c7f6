// The soft keyboard's three key tables (symbols, lower case, upper case): where each key
// lies on the 240 × 81 keyboard and what it sends. The keyboard hit-tests with them and the
// asset generator draws the keyboard pictures 121..123 from them, so the two always agree.
// Plain data, no dependencies.
#pragma once

#include <cstdint>

namespace keyboard_layout {

// One key; x, y, width, height in pixels relative to the keyboard's top-left corner.
// kind 0: modifier, code is the negated mode bit it toggles; 1: character; 2: virtual key.
struct Key {
    int16_t x, y, width, height;
    int16_t code;
    int16_t kind;
};

enum Kind : int16_t { kModifier = 0, kCharacter = 1, kVirtualKey = 2 };

// Mode bits the modifiers toggle.
constexpr int kSymbols = 1, kCapsLock = 2, kShift = 4, kControl = 8, kExtra = 16;

struct KeyTable {
    const Key* keys;
    int count;      // 47 symbols, 61 letters
    int pictureId;  // 121 symbols, 122 lower case, 123 upper case
};

// The table of picture 121, 122 or 123; the lower-case table for any other number.
const KeyTable& tableForPicture(int pictureId);

// The table the keyboard shows for `mode` bits: symbols when kSymbols is set, else upper
// case when caps lock and shift differ, else lower case.
const KeyTable& tableForMode(int mode);

// Index of the key containing (x, y) (keyboard coordinates), or −1 on a gap or outside.
int keyAt(const KeyTable& table, int x, int y);

}  // namespace keyboard_layout
