// Canvas operations and GIF encoding through giflib's memory writer.

#include "canvas.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace assets {

uint32_t from565(uint16_t c) {
    uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

Canvas::Canvas(int w, int h, uint32_t fill) : width(w), height(h), px(size_t(w) * h, fill) {}

void Canvas::set(int x, int y, uint32_t c) {
    if (inside(x, y)) px[size_t(y) * width + x] = c;
}

void Canvas::fill(int x, int y, int w, int h, uint32_t c) {
    for (int j = std::max(y, 0); j < std::min(y + h, height); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, width); ++i) px[size_t(j) * width + i] = c;
}

void Canvas::outline(int x, int y, int w, int h, uint32_t c) {
    fill(x, y, w, 1, c);
    fill(x, y + h - 1, w, 1, c);
    fill(x, y, 1, h, c);
    fill(x + w - 1, y, 1, h, c);
}

namespace {

int appendBytes(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + size);
    return size;
}

// Palette indices for a canvas of at most 256 colours; false when it has more.
bool exactPalette(const Canvas& canvas, std::vector<GifColorType>* palette,
                  std::vector<GifByteType>* indices) {
    std::map<uint32_t, int> slot;
    indices->resize(canvas.px.size());
    for (size_t i = 0; i < canvas.px.size(); ++i) {
        auto [it, added] = slot.emplace(canvas.px[i], int(slot.size()));
        if (slot.size() > 256) return false;
        if (added) {
            uint32_t c = canvas.px[i];
            palette->push_back({GifByteType(c >> 16), GifByteType(c >> 8), GifByteType(c)});
        }
        (*indices)[i] = GifByteType(it->second);
    }
    return true;
}

bool quantisedPalette(const Canvas& canvas, std::vector<GifColorType>* palette,
                      std::vector<GifByteType>* indices) {
    size_t n = canvas.px.size();
    std::vector<GifByteType> r(n), g(n), b(n);
    for (size_t i = 0; i < n; ++i) {
        r[i] = GifByteType(canvas.px[i] >> 16);
        g[i] = GifByteType(canvas.px[i] >> 8);
        b[i] = GifByteType(canvas.px[i]);
    }
    int colours = 256;
    palette->resize(256);
    indices->resize(n);
    return GifQuantizeBuffer(canvas.width, canvas.height, &colours, r.data(), g.data(), b.data(),
                             indices->data(), palette->data()) == GIF_OK;
}

}  // namespace

bool encodeGif(const Canvas& canvas, std::vector<uint8_t>* out, std::string* error) {
    std::vector<GifColorType> palette;
    std::vector<GifByteType> indices;
    if (!exactPalette(canvas, &palette, &indices)) {
        palette.clear();
        if (!quantisedPalette(canvas, &palette, &indices)) {
            *error = "colour reduction failed";
            return false;
        }
    }
    int bits = 1;
    while ((1 << bits) < int(palette.size())) ++bits;
    palette.resize(size_t(1) << bits, GifColorType{0, 0, 0});
    out->clear();
    int code = 0;
    GifFileType* gif = EGifOpen(out, appendBytes, &code);
    if (!gif) {
        *error = GifErrorString(code);
        return false;
    }
    ColorMapObject* map = GifMakeMapObject(1 << bits, palette.data());
    bool ok = map && EGifPutScreenDesc(gif, canvas.width, canvas.height, bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, canvas.width, canvas.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < canvas.height; ++y)
        ok = EGifPutLine(gif, indices.data() + size_t(y) * canvas.width, canvas.width) == GIF_OK;
    if (!ok) *error = GifErrorString(gif->Error);
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &code) != GIF_OK && ok) {
        *error = GifErrorString(code);
        ok = false;
    }
    return ok;
}

}  // namespace assets
