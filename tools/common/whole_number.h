// Whole numbers on the tools' command lines: decimal digits only, with no sign, blanks,
// fraction or exponent, so that "-5" or "1e3" is refused instead of being read as something
// else. Header only, so that a tool can use it without the JPEG reader beside it.
#pragma once

#include <cstdint>
#include <string>

namespace tools {

// True, with `*value` set, when `text` is a number 0..max (max below 2^60).
inline bool wholeNumber(const std::string& text, uint64_t max, uint64_t* value) {
    uint64_t x = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        x = x * 10 + uint64_t(c - '0');
        if (x > max) return false;
    }
    *value = x;
    return !text.empty();
}

}  // namespace tools
