// The key tables, built once from rows: keys of a row share its y and height and are
// listed left to right with their x and width.

#include "base/keyboard_layout.h"

#include <string>
#include <vector>

namespace keyboard_layout {

namespace {

constexpr int16_t kBackspace = 8, kTab = 9, kEnter = 13, kDelete = 46;
constexpr int16_t kDown = 40, kUp = 38, kLeft = 37, kRight = 39;

struct Builder {
    std::vector<Key> keys;
    int16_t y = 0, height = 0;

    void row(int16_t rowY, int16_t rowHeight) { y = rowY, height = rowHeight; }
    void key(int16_t x, int16_t width, int16_t code, int16_t kind = kCharacter) {
        keys.push_back({x, y, width, height, code, kind});
    }
    // Characters of `text` from x0, `step` apart, each `width` wide.
    void run(const char* text, int16_t x0, int16_t step, int16_t width) {
        for (int i = 0; text[i]; ++i)
            key(int16_t(x0 + i * step), width, int16_t(static_cast<unsigned char>(text[i])));
    }
    void arrows(int16_t x0, int16_t step, int16_t width) {
        for (int16_t code : {kDown, kUp, kLeft, kRight}) {
            key(x0, width, code, kVirtualKey);
            x0 = int16_t(x0 + step);
        }
    }
};

std::vector<Key> symbolKeys() {
    Builder b;
    b.row(1, 19);
    b.key(1, 18, -kSymbols, kModifier);
    b.run("[]{}", 20, 17, 16);
    b.run("789", 94, 20, 19);
    b.run("#%=", 160, 20, 19);
    b.key(220, 19, kBackspace, kVirtualKey);
    b.row(21, 19);
    b.key(1, 18, '^');
    b.run(",.<>", 20, 17, 16);
    b.run("456", 94, 20, 19);
    b.run("+-*/", 160, 20, 19);
    b.row(41, 19);
    b.key(1, 18, 177);
    b.run("\xB0:\\|", 20, 17, 16);
    b.run("123", 94, 20, 19);
    b.arrows(160, 20, 19);
    b.row(61, 19);
    b.key(1, 18, '$');
    b.run("\xA2\x80\xA3\xA5", 20, 17, 16);
    b.run("(0)", 94, 20, 19);
    b.key(160, 23, kTab);
    b.key(184, 37, ' ');
    b.key(222, 17, kEnter);
    return b.keys;
}

// The letter layouts differ only in the characters (and backspace becoming delete).
struct LetterRows {
    const char* digits;  // 12 keys: ten digits, then the two after them
    const char* top;     // 10 letters, then 2 brackets
    const char* home;    // 11 keys
    const char* bottom;  // 10 keys
    const char* last;    // the two keys before space
    int16_t eraseCode;   // backspace or delete
};

std::vector<Key> letterKeys(const LetterRows& r) {
    Builder b;
    b.row(1, 15);
    b.key(1, 18, -kSymbols, kModifier);
    b.run(std::string(r.digits, 10).c_str(), 20, 17, 16);
    b.key(190, 15, r.digits[10]);
    b.key(206, 15, r.digits[11]);
    b.key(222, 17, r.eraseCode, kVirtualKey);
    b.row(17, 15);
    b.key(1, 24, kTab);
    b.run(std::string(r.top, 10).c_str(), 26, 18, 17);
    b.key(206, 16, r.top[10]);
    b.key(223, 16, r.top[11]);
    b.row(33, 15);
    b.key(1, 28, -kCapsLock, kModifier);
    b.run(r.home, 30, 18, 17);
    b.row(33, 19);
    b.key(228, 11, kEnter);
    b.row(49, 15);
    b.key(1, 32, -kShift, kModifier);
    b.run(r.bottom, 34, 18, 17);
    b.key(214, 25, kEnter);
    b.row(65, 15);
    b.key(1, 21, -kControl, kModifier);
    b.key(23, 21, -kExtra, kModifier);
    b.key(45, 17, r.last[0]);
    b.key(63, 17, r.last[1]);
    b.key(81, 86, ' ');
    b.arrows(168, 18, 17);
    return b.keys;
}

const LetterRows kLower{"1234567890-=", "qwertyuiop[]", "asdfghjkl;'",
                        "zxcvbnm,./",   "`\\",          kBackspace};
const LetterRows kUpper{"!@#$%^&*()_+", "QWERTYUIOP{}", "ASDFGHJKL:\"",
                        "ZXCVBNM<>?",   "~|",           kDelete};

}  // namespace

const KeyTable& tableForPicture(int pictureId) {
    static const std::vector<Key> symbols = symbolKeys(), lower = letterKeys(kLower),
                                  upper = letterKeys(kUpper);
    static const KeyTable tables[3] = {{symbols.data(), int(symbols.size()), 121},
                                       {lower.data(), int(lower.size()), 122},
                                       {upper.data(), int(upper.size()), 123}};
    if (pictureId == 121) return tables[0];
    return pictureId == 123 ? tables[2] : tables[1];
}

const KeyTable& tableForMode(int mode) {
    if (mode & kSymbols) return tableForPicture(121);
    bool caps = (mode & kCapsLock) != 0, shift = (mode & kShift) != 0;
    return tableForPicture(caps != shift ? 123 : 122);
}

int keyAt(const KeyTable& table, int x, int y) {
    for (int i = 0; i < table.count; ++i) {
        const Key& k = table.keys[i];
        if (x >= k.x && x < k.x + k.width && y >= k.y && y < k.y + k.height) return i;
    }
    return -1;
}

}  // namespace keyboard_layout
