// Sprite sheets drawn from layout files: a size, a palette of RGB565 colours named by one
// character, filled rectangles, pixel-art sprites placed at their cells, and recoloured
// copies (the pressed row of the command panel is the normal row recoloured).

#include <map>
#include <sstream>

#include "pictures.h"
#include "platform/files.h"

namespace assets {

namespace {

struct SheetReader {
    std::string path;
    int line = 0;
    std::map<char, uint32_t> palette{{'_', kKey}};
    std::string* error;

    bool fail(const std::string& why) {
        *error = path + ":" + std::to_string(line) + ": " + why;
        return false;
    }
    bool colour(char name, uint32_t* c) {
        auto it = palette.find(name);
        if (it == palette.end()) return fail(std::string("no colour '") + name + "'");
        *c = it->second;
        return true;
    }
};

// Pixel rows of a sprite with its top-left corner at (x, y), up to a blank line. '.' leaves
// the pixel as it is.
bool readSprite(std::istream& in, SheetReader* r, Canvas* out, int x, int y) {
    std::string row;
    for (int j = 0; std::getline(in, row) && !row.empty(); ++j) {
        ++r->line;
        for (int i = 0; i < int(row.size()); ++i) {
            uint32_t c;
            if (row[i] == '.') continue;
            if (!r->colour(row[i], &c)) return false;
            if (!out->inside(x + i, y + j)) return r->fail("sprite leaves the sheet");
            out->set(x + i, y + j, c);
        }
    }
    ++r->line;
    return true;
}

bool readCopy(std::istringstream& words, SheetReader* r, Canvas* out) {
    int sx, sy, w, h, dx, dy;
    if (!(words >> sx >> sy >> w >> h >> dx >> dy)) return r->fail("copy needs 6 numbers");
    std::map<uint32_t, uint32_t> swap;
    for (std::string pair; words >> pair;) {
        uint32_t from, to;
        if (pair.size() != 3 || pair[1] != '=') return r->fail("bad A=B");
        if (!r->colour(pair[0], &from) || !r->colour(pair[2], &to)) return false;
        swap[from] = to;
    }
    Canvas source = *out;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!source.inside(sx + i, sy + j) || !out->inside(dx + i, dy + j))
                return r->fail("copy leaves the sheet");
            uint32_t c = source.at(sx + i, sy + j);
            out->set(dx + i, dy + j, swap.count(c) ? swap[c] : c);
        }
    return true;
}

bool readCommand(std::istream& in, const std::string& text, SheetReader* r, Canvas* out) {
    std::istringstream words(text);
    std::string word;
    words >> word;
    if (word == "sheet") {
        int w = 0, h = 0;
        if (!(words >> w >> h) || w < 1 || h < 1 || w > 4096 || h > 4096)
            return r->fail("bad sheet size");
        *out = Canvas(w, h, kKey);
        return true;
    }
    if (out->width == 0) return r->fail("the first command must be 'sheet'");
    if (word == "color") {
        char name;
        unsigned value;
        if (!(words >> name >> std::hex >> value) || value > 0xFFFF || name == '.')
            return r->fail("bad colour");
        r->palette[name] = from565(uint16_t(value));
        return true;
    }
    if (word == "rect") {
        int x, y, w, h;
        char name;
        uint32_t c;
        if (!(words >> x >> y >> w >> h >> name)) return r->fail("rect needs X Y W H C");
        if (!r->colour(name, &c)) return false;
        out->fill(x, y, w, h, c);
        return true;
    }
    if (word == "sprite") {
        int x, y;
        if (!(words >> x >> y)) return r->fail("sprite needs X Y");
        return readSprite(in, r, out, x, y);
    }
    if (word == "copy") return readCopy(words, r, out);
    return r->fail("unknown command '" + word + "'");
}

}  // namespace

bool drawSheet(const std::string& path, Canvas* out, std::string* error) {
    platform::TextFile in(path);
    SheetReader reader{path, 0, {{'_', kKey}}, error};
    if (!in) return reader.fail("cannot open");
    *out = Canvas(0, 0, 0);
    std::string text;
    while (std::getline(in, text)) {
        ++reader.line;
        if (text.empty() || text[0] == '#') continue;
        if (!readCommand(in, text, &reader, out)) return false;
    }
    return out->width > 0 || reader.fail("no sheet");
}

}  // namespace assets
