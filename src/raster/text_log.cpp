// The per-frame text log, held as the finished lines.

#include "raster/text_log.h"

#include <algorithm>
#include <charconv>

#include "platform/files.h"

namespace {

std::string gLog;

// Writes `code` as UTF-8 at `out` (room for 4 bytes); returns the end.
char* putUtf8(char* out, uint32_t code) {
    if (code < 0x80) {
        *out++ = char(code);
    } else if (code < 0x800) {
        *out++ = char(0xC0 | code >> 6);
        *out++ = char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = char(0xE0 | code >> 12);
        *out++ = char(0x80 | (code >> 6 & 0x3F));
        *out++ = char(0x80 | (code & 0x3F));
    } else {
        *out++ = char(0xF0 | code >> 18);
        *out++ = char(0x80 | (code >> 12 & 0x3F));
        *out++ = char(0x80 | (code >> 6 & 0x3F));
        *out++ = char(0x80 | (code & 0x3F));
    }
    return out;
}

}  // namespace

void logText(int x, int y, uint16_t colour, const char16_t* text, int length) {
    // Formatted by hand, straight into the log's room for the longest line: the log takes
    // every string of every frame, and a printf call per string cost more than drawing the
    // label itself.
    const size_t start = gLog.size();
    gLog.resize(start + 32 + 4 * static_cast<size_t>(std::max(length, 0)));
    char* const begin = gLog.data() + start;
    char* end = std::to_chars(begin, begin + 12, x).ptr;
    *end++ = ' ';
    end = std::to_chars(end, end + 12, y).ptr;
    static const char kHex[] = "0123456789ABCDEF";
    *end++ = ' ';
    *end++ = '0';
    *end++ = 'x';
    for (int shift = 12; shift >= 0; shift -= 4) *end++ = kHex[(colour >> shift) & 15];
    *end++ = ' ';
    for (int i = 0; i < length; ++i) {
        uint32_t code = text[i];
        bool high = code >= 0xD800 && code < 0xDC00;
        if (high && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;  // a lone half of a surrogate pair
        } else if (code == '\n' || code == '\r') {
            code = ' ';  // keeps one string a line
        }
        end = putUtf8(end, code);
    }
    *end++ = '\n';
    gLog.resize(static_cast<size_t>(end - gLog.data()));
}

void clearTextLog() {
    gLog.clear();
}

size_t textLogMark() {
    return gLog.size();
}

void truncateTextLog(size_t mark) {
    if (mark < gLog.size()) gLog.resize(mark);
}

std::string textLogContents() {
    return gLog;
}

bool writeTextLog(const std::string& path, std::string* error) {
    return platform::writeFileAtomic(path, gLog.data(), gLog.size(), error);
}
