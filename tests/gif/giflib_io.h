// Reference GIF files for the decoder's tests and benchmark: written and read back by giflib
// in memory, plus a hand-built writer for code streams giflib never makes (no clear code
// when the table fills, broken codes). Test code only; the program never links giflib.
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace gifref {

struct Rgb {
    uint8_t r, g, b;
};

// RGB565 straight from the format's bit layout: red 15-11, green 10-5, blue 4-0.
inline uint16_t to565(Rgb c) {
    return static_cast<uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
}

struct Picture {
    int width = 0, height = 0;      // pixels
    std::vector<Rgb> globalColors;  // none when empty; else 2, 4, .., 256 entries
    std::vector<Rgb> localColors;   // none when empty
    std::vector<uint8_t> indices;   // width × height, top to bottom
    bool interlaced = false;
    bool gif89 = true;
    bool extensions = false;    // comment and application extension before the image
    int transparentIndex = -1;  // graphic control extension when 0..255
};

// A width × height picture of colours[index(x, y)] in one global table, padded to a power
// of two entries (giflib takes no other sizes).
template <typename Index>
Picture picture(int width, int height, std::vector<Rgb> colors, Index index) {
    Picture p;
    p.width = width, p.height = height;
    size_t entries = 2;
    while (entries < colors.size()) entries *= 2;
    colors.resize(entries, Rgb{0, 0, 0});
    p.globalColors = std::move(colors);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.indices.push_back(static_cast<uint8_t>(index(x, y)));
    return p;
}

// Rows in stored order: plain, or the four interlace passes.
inline std::vector<int> storedRowOrder(int height, bool interlaced) {
    std::vector<int> order;
    if (!interlaced) {
        for (int r = 0; r < height; ++r) order.push_back(r);
        return order;
    }
    const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int r = start[pass]; r < height; r += step[pass]) order.push_back(r);
    return order;
}

inline ColorMapObject* makeMap(const std::vector<Rgb>& colors) {
    if (colors.empty()) return nullptr;
    std::vector<GifColorType> entries;
    for (Rgb c : colors) entries.push_back({c.r, c.g, c.b});
    return GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
}

inline int appendBytes(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

// The picture as giflib writes it; empty on a giflib failure.
inline std::vector<uint8_t> writeWithGiflib(const Picture& p) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendBytes, &error);
    if (!gif) return {};
    EGifSetGifVersion(gif, p.gif89);
    ColorMapObject* global = makeMap(p.globalColors);
    ColorMapObject* local = makeMap(p.localColors);
    const int bits = global ? global->BitsPerPixel : local->BitsPerPixel;
    bool ok = EGifPutScreenDesc(gif, p.width, p.height, bits, 0, global) == GIF_OK;
    if (ok && p.extensions) {
        static const char kApp[] = "TESTAPPL1.0";
        const uint8_t appData[3] = {1, 0, 0};
        ok = EGifPutComment(gif, "made by the decoder tests") == GIF_OK &&
             EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
             EGifPutExtensionBlock(gif, 11, kApp) == GIF_OK &&
             EGifPutExtensionBlock(gif, 3, appData) == GIF_OK &&
             EGifPutExtensionTrailer(gif) == GIF_OK;
    }
    if (ok && p.transparentIndex >= 0) {
        const uint8_t gce[4] = {0x01, 0, 0, static_cast<uint8_t>(p.transparentIndex)};
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, p.width, p.height, p.interlaced, local) == GIF_OK;
    std::vector<uint8_t> row(static_cast<size_t>(p.width));
    for (int r : storedRowOrder(p.height, p.interlaced)) {
        if (!ok) break;
        std::memcpy(row.data(), &p.indices[static_cast<size_t>(r) * p.width], row.size());
        ok = EGifPutLine(gif, row.data(), p.width) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(global);
    GifFreeMapObject(local);
    return ok ? out : std::vector<uint8_t>{};
}

// Writes the picture as giflib writes it into the file `path`; false on a failure.
inline bool writeGifFile(const std::string& path, const Picture& p) {
    const std::vector<uint8_t> bytes = writeWithGiflib(p);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return !bytes.empty() && out.good();
}

struct Source {
    const uint8_t* data;
    size_t size, offset;
};

inline int takeBytes(GifFileType* gif, GifByteType* bytes, int length) {
    auto* s = static_cast<Source*>(gif->UserData);
    const size_t n = std::min(static_cast<size_t>(length), s->size - s->offset);
    std::memcpy(bytes, s->data + s->offset, n);
    s->offset += n;
    return static_cast<int>(n);
}

// Opens `size` bytes with giflib, slurps them and hands the first image and its colour table
// (local, else global, possibly null) to `use`; false when giflib rejects the file.
template <typename Use>
bool withGiflibImage(const uint8_t* data, size_t size, Use use) {
    Source source{data, size, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, takeBytes, &error);
    if (!gif) return false;
    const bool ok = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0;
    if (ok) {
        const SavedImage& image = gif->SavedImages[0];
        use(image, image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap);
    }
    DGifCloseFile(gif, &error);
    return ok;
}

// giflib's decoding of the first image (rows top to bottom) as 0x00RRGGBB; false when giflib
// rejects the file.
inline bool readWithGiflib(const uint8_t* data, size_t size, int* width, int* height,
                           std::vector<uint32_t>* rgb) {
    return withGiflibImage(data, size, [&](const SavedImage& image, const ColorMapObject* map) {
        *width = image.ImageDesc.Width;
        *height = image.ImageDesc.Height;
        rgb->assign(static_cast<size_t>(*width) * *height, 0);
        for (size_t i = 0; i < rgb->size(); ++i) {
            const int index = image.RasterBits[i];
            if (map && index < map->ColorCount) {
                const GifColorType c = map->Colors[index];
                (*rgb)[i] = uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
            }
        }
    });
}

// giflib to RGB565 as the benchmarks time it: DGifSlurp, then a palette lookup.
inline bool decodeGiflib565(const std::vector<uint8_t>& bytes, std::vector<uint16_t>* out) {
    return withGiflibImage(
        bytes.data(), bytes.size(), [&](const SavedImage& image, const ColorMapObject* map) {
            uint16_t palette[256] = {};
            for (int i = 0; map && i < map->ColorCount; ++i)
                palette[i] = to565({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
            const size_t n = static_cast<size_t>(image.ImageDesc.Width) * image.ImageDesc.Height;
            out->resize(n);
            for (size_t i = 0; i < n; ++i) (*out)[i] = palette[image.RasterBits[i]];
        });
}

inline uint16_t rgb32To565(uint32_t c) {
    return to565(
        {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)});
}

// ---- Hand-built files -----------------------------------------------------------------

// An LZW code stream as a list of (code, width in bits) pairs, packed least significant bit
// first into data sub-blocks of at most 255 bytes.
struct CodeStream {
    std::vector<std::pair<uint32_t, int>> codes;
    std::vector<uint8_t> subBlocks() const {
        std::vector<uint8_t> packed;
        uint64_t acc = 0;
        int bits = 0;
        for (auto [code, width] : codes) {
            acc |= uint64_t{code} << bits;
            bits += width;
            for (; bits >= 8; bits -= 8, acc >>= 8) packed.push_back(static_cast<uint8_t>(acc));
        }
        if (bits > 0) packed.push_back(static_cast<uint8_t>(acc));
        std::vector<uint8_t> out;
        for (size_t i = 0; i < packed.size(); i += 255) {
            const size_t n = std::min<size_t>(255, packed.size() - i);
            out.push_back(static_cast<uint8_t>(n));
            out.insert(out.end(), packed.begin() + i, packed.begin() + i + n);
        }
        out.push_back(0);
        return out;
    }
};

// A plain LZW encoder. Code widths follow the reader: they grow when the reader's next free
// code reaches a power of two. With `clearWhenFull` clear, a full table is simply kept.
// `sawPendingCode` reports whether a code equal to the reader's next free code was emitted.
inline CodeStream lzwEncode(const std::vector<uint8_t>& indices, int minCodeSize,
                            bool clearWhenFull, bool* sawPendingCode = nullptr,
                            int* codesAfterFull = nullptr) {
    const uint32_t clear = 1u << minCodeSize, end = clear + 1;
    CodeStream s;
    std::map<std::pair<uint32_t, uint8_t>, uint32_t> dict;
    uint32_t next = clear + 2, readerNext = clear + 2;
    bool readerHasOld = false;
    auto width = [&] {
        int w = minCodeSize + 1;
        while (w < 12 && readerNext >= (1u << w)) ++w;
        return w;
    };
    auto emit = [&](uint32_t code) {
        if (sawPendingCode && readerHasOld && code == readerNext) *sawPendingCode = true;
        if (codesAfterFull && readerNext == 4096) ++*codesAfterFull;
        s.codes.push_back({code, width()});
        if (readerHasOld && readerNext < 4096) ++readerNext;
        readerHasOld = true;
    };
    s.codes.push_back({clear, minCodeSize + 1});
    uint32_t w = indices.empty() ? 0 : indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        auto it = dict.find({w, indices[i]});
        if (it != dict.end()) {
            w = it->second;
            continue;
        }
        emit(w);
        if (next < 4096) {
            dict[{w, indices[i]}] = next++;
        } else if (clearWhenFull) {
            s.codes.push_back({clear, width()});
            dict.clear();
            next = readerNext = clear + 2;
            readerHasOld = false;
        }
        w = indices[i];
    }
    if (!indices.empty()) emit(w);
    s.codes.push_back({end, width()});
    return s;
}

// A GIF file put together byte by byte: header, optional global table, `beforeImage`
// bytes (extensions or junk), the image descriptor with an optional local table, the
// minimum code size and the image data as given, then the trailer.
struct RawGif {
    std::string version = "89a";
    int width = 0, height = 0;
    std::vector<Rgb> globalColors, localColors;
    std::vector<uint8_t> beforeImage;
    bool interlaced = false;
    int minCodeSize = 8;
    std::vector<uint8_t> imageData;  // sub-blocks with their terminator
    std::vector<uint8_t> bytes() const {
        std::vector<uint8_t> b = {'G', 'I', 'F'};
        b.insert(b.end(), version.begin(), version.end());
        auto word = [&](int v) {
            b.push_back(static_cast<uint8_t>(v));
            b.push_back(static_cast<uint8_t>(v >> 8));
        };
        auto table = [&](const std::vector<Rgb>& colors) {
            for (Rgb c : colors) b.insert(b.end(), {c.r, c.g, c.b});
        };
        auto sizeBits = [](size_t n) {
            int bits = 0;
            while ((2u << bits) < n) ++bits;
            return bits;
        };
        word(width);
        word(height);
        b.push_back(globalColors.empty() ? 0 : 0x80 | sizeBits(globalColors.size()));
        b.insert(b.end(), {0, 0});
        table(globalColors);
        b.insert(b.end(), beforeImage.begin(), beforeImage.end());
        b.push_back(0x2C);
        word(0);
        word(0);
        word(width);
        word(height);
        b.push_back(
            static_cast<uint8_t>((interlaced ? 0x40 : 0) |
                                 (localColors.empty() ? 0 : 0x80 | sizeBits(localColors.size()))));
        table(localColors);
        b.push_back(static_cast<uint8_t>(minCodeSize));
        b.insert(b.end(), imageData.begin(), imageData.end());
        b.push_back(0x3B);
        return b;
    }
};

// A deterministic pseudo-random sequence for test pictures.
struct Lcg {
    uint32_t state;
    uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

// A map-like picture with 256 colours: ocean and land bands shaded by latitude, with noise.
inline Picture earthLike(int width, int height, bool interlaced, uint32_t seed) {
    Picture p;
    p.width = width;
    p.height = height;
    p.interlaced = interlaced;
    for (int i = 0; i < 256; ++i)
        p.globalColors.push_back({static_cast<uint8_t>(i < 128 ? 10 + i / 4 : i),
                                  static_cast<uint8_t>(i < 128 ? 40 + i / 2 : 255 - i / 2),
                                  static_cast<uint8_t>(i < 128 ? 120 + i : 60 + i / 5)});
    Lcg rng{seed};
    p.indices.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Land where a few low-frequency waves add up, ocean elsewhere; shades by latitude.
            const int wave = (x * 7 / width + y * 5 / height) % 4 + ((x / 97 + y / 61) % 3);
            const bool land = wave >= 3;
            int shade = (y * 64 / height + (x % 29 == 0 ? 1 : 0)) & 63;
            if (rng.next() % 16 == 0) shade = (shade + 1) & 63;
            p.indices[static_cast<size_t>(y) * width + x] =
                static_cast<uint8_t>(land ? 128 + shade * 2 : shade * 2);
        }
    }
    return p;
}

}  // namespace gifref
