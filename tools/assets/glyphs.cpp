// Glyph file reading and glyph drawing.

#include "glyphs.h"

#include <sstream>

#include "platform/files.h"

namespace assets {

namespace {

bool fail(std::string* error, const std::string& path, int line, const std::string& why) {
    *error = path + ":" + std::to_string(line) + ": " + why;
    return false;
}

}  // namespace

bool readGlyphFont(const std::string& path, GlyphFont* font, std::string* error) {
    platform::TextFile in(path);
    if (!in) return fail(error, path, 0, "cannot open");
    std::string line;
    int number = 0, code = -1;
    std::vector<std::string>* rows = nullptr;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty()) continue;
        // Glyph rows start with '#' too: a comment is a '#' line with other characters.
        bool comment = line[0] == '#' && line.find_first_not_of("#.") != std::string::npos;
        if (line.empty() || comment) continue;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "font") {
            words >> font->width >> font->height;
            if (!words || font->width < 1 || font->height < 1 || font->width > 64 ||
                font->height > 64)
                return fail(error, path, number, "bad font size");
        } else if (word == "glyph") {
            words >> code;
            if (!words || font->width == 0) return fail(error, path, number, "bad glyph line");
            rows = &font->glyphs[code];
            rows->clear();
        } else if (rows && int(rows->size()) < font->height &&
                   line.find_first_not_of("#.") == std::string::npos &&
                   int(line.size()) == font->width) {
            rows->push_back(line);
        } else {
            return fail(error, path, number, "unexpected line");
        }
    }
    for (const auto& [c, r] : font->glyphs)
        if (int(r.size()) != font->height)
            return fail(error, path, number, "glyph " + std::to_string(c) + " is short");
    return font->width > 0 || fail(error, path, number, "no font line");
}

bool glyphInk(const GlyphFont& font, int code, int x, int y) {
    auto it = font.glyphs.find(code);
    if (it == font.glyphs.end() || x < 0 || y < 0 || x >= font.width || y >= font.height)
        return false;
    return it->second[y][x] == '#';
}

void drawGlyph(Canvas* canvas, const GlyphFont& font, int code, int x, int y, uint32_t c) {
    for (int j = 0; j < font.height; ++j)
        for (int i = 0; i < font.width; ++i)
            if (glyphInk(font, code, i, j)) canvas->set(x + i, y + j, c);
}

std::vector<int> decodeUtf8(const std::string& text) {
    std::vector<int> codes;
    for (size_t i = 0; i < text.size();) {
        unsigned char b = text[i];
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        int code = extra ? b & (0x3F >> extra) : b;
        bool ok = i + extra < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char next = text[i + k];
            ok = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        codes.push_back(ok ? code : b);
        i += ok ? extra + 1 : 1;
    }
    return codes;
}

void drawText(Canvas* canvas, const GlyphFont& font, const std::string& text, int x, int y,
              uint32_t c) {
    for (int code : decodeUtf8(text)) {
        drawGlyph(canvas, font, code, x, y, c);
        x += font.width;
    }
}

}  // namespace assets
