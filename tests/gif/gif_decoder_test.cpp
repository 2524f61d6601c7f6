// The GIF decoder against giflib's own decoding of files giflib wrote (every code size,
// interlaced or not, local tables, a map-sized picture), and against the inverse operation
// (an LZW encoder) for the code streams giflib never writes.
#include "gif/gif_decoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "giflib_io.h"

using namespace gifref;

namespace {

std::vector<Rgb> palette(int count, uint32_t seed) {
    Lcg rng{seed};
    std::vector<Rgb> colors;
    for (int i = 0; i < count; ++i) {
        const uint32_t v = rng.next();
        colors.push_back(
            {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16)});
    }
    return colors;
}

// Indices with runs of random length, so strings of every length and row-crossing strings.
std::vector<uint8_t> runs(int width, int height, int colors, uint32_t seed) {
    Lcg rng{seed};
    std::vector<uint8_t> out(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < out.size();) {
        const uint8_t c = static_cast<uint8_t>(rng.next() % colors);
        for (size_t n = 1 + rng.next() % 40; n > 0 && i < out.size(); --n) out[i++] = c;
    }
    return out;
}

struct Decoded {
    bool ok = false;
    int32_t width = 0, height = 0;
    std::vector<uint16_t> pixels;
};

Decoded decode565(const std::vector<uint8_t>& file) {
    Decoded d;
    GifDecoder header;
    if (!header.decodeImage(file.data(), file.size(), nullptr, 2, &d.width, &d.height, false))
        return d;
    d.pixels.assign(static_cast<size_t>(d.width) * d.height, 0x1234);
    GifDecoder decoder;
    d.ok = decoder.decodeImage(file.data(), file.size(), d.pixels.data(), 2, &d.width, &d.height,
                               true);
    return d;
}

// Compares the whole decode (2, 3 and 4 bytes per pixel) and the row-by-row decode of
// `file` with giflib's decoding of the same bytes.
void expectSameAsGiflib(const std::vector<uint8_t>& file, const char* name) {
    SCOPED_TRACE(name);
    int w = 0, h = 0;
    std::vector<uint32_t> ref;
    ASSERT_TRUE(readWithGiflib(file.data(), file.size(), &w, &h, &ref));
    const Decoded d = decode565(file);
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.width, w);
    ASSERT_EQ(d.height, h);
    for (size_t i = 0; i < ref.size(); ++i)
        ASSERT_EQ(d.pixels[i], rgb32To565(ref[i])) << "pixel " << i % w << "," << i / w;

    std::vector<uint8_t> rgb(ref.size() * 3);
    std::vector<uint32_t> words(ref.size());
    GifDecoder d3, d4;
    int32_t w2, h2;
    ASSERT_TRUE(d3.decodeImage(file.data(), file.size(), rgb.data(), 3, &w2, &h2, true));
    ASSERT_TRUE(d4.decodeImage(file.data(), file.size(), words.data(), 4, &w2, &h2, true));
    for (size_t i = 0; i < ref.size(); ++i) {
        ASSERT_EQ(words[i], ref[i]) << "pixel " << i;
        ASSERT_EQ(rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2], ref[i]);
    }

    // A header-only decode leaves the destination alone; then the rows one by one.
    GifDecoder rows;
    std::vector<uint32_t> row(static_cast<size_t>(w), 0xABCD);
    ASSERT_TRUE(rows.decodeImage(file.data(), file.size(), row.data(), 4, &w2, &h2, false));
    ASSERT_EQ(row, std::vector<uint32_t>(static_cast<size_t>(w), 0xABCD));
    for (int r : storedRowOrder(h, rows.interlaced())) {
        ASSERT_TRUE(rows.decodeNextRow(file.data(), file.size(), row.data())) << "row " << r;
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(row[x], ref[static_cast<size_t>(r) * w + x]) << x << "," << r;
    }
    EXPECT_FALSE(rows.decodeNextRow(file.data(), file.size(), row.data()));
    EXPECT_FALSE(rows.decodeNextRow(file.data(), file.size(), row.data()));
}

enum : unsigned { kInterlaced = 1, kLocal = 2, kNoGlobal = 4, kGif87 = 8, kExtensions = 16 };

struct GiflibCase {
    const char* name;
    int width, height, colors;
    unsigned flags;
};

const GiflibCase kGiflibCases[] = {
    {"2 colours (code size 2)", 37, 23, 2, 0},
    {"4 colours", 64, 40, 4, 0},
    {"8 colours interlaced", 50, 33, 8, kInterlaced},
    {"16 colours", 31, 17, 16, 0},
    {"32 colours interlaced", 100, 9, 32, kInterlaced},
    {"64 colours, local table over the global one", 80, 60, 64, kLocal},
    {"128 colours", 127, 65, 128, 0},
    {"256 colours interlaced local", 200, 151, 256, kInterlaced | kLocal},
    {"width 1, strings span rows", 1, 300, 4, 0},
    {"width 3 interlaced, strings span rows", 3, 41, 2, kInterlaced},
    {"one pixel", 1, 1, 2, 0},
    {"height under 8 interlaced", 20, 5, 16, kInterlaced},
    {"only a local table", 16, 16, 4, kLocal | kNoGlobal},
    {"GIF87a", 30, 20, 16, kGif87},
    {"comment, application extension and transparency skipped", 25, 14, 8, kExtensions},
};

void PrintTo(const GiflibCase& c, std::ostream* out) {
    *out << c.name;
}

class GiflibFiles : public testing::TestWithParam<GiflibCase> {};

TEST_P(GiflibFiles, DecodesLikeGiflib) {
    const GiflibCase& c = GetParam();
    Picture p;
    p.width = c.width;
    p.height = c.height;
    p.interlaced = c.flags & kInterlaced;
    if (!(c.flags & kNoGlobal)) p.globalColors = palette(c.colors, 7);
    if (c.flags & kLocal) p.localColors = palette(c.colors, 99);
    p.indices = runs(c.width, c.height, c.colors, 3);
    p.gif89 = !(c.flags & kGif87);
    p.extensions = c.flags & kExtensions;
    if (p.extensions) p.transparentIndex = p.indices[0];
    const std::vector<uint8_t> file = writeWithGiflib(p);
    ASSERT_EQ(file.at(4), c.flags & kGif87 ? '7' : '9');
    expectSameAsGiflib(file, c.name);
}

INSTANTIATE_TEST_SUITE_P(Table, GiflibFiles, testing::ValuesIn(kGiflibCases));

TEST(GifDecoder, MapSizedPictureLikeGiflib) {
    for (bool interlaced : {false, true})
        expectSameAsGiflib(writeWithGiflib(earthLike(2048, 1024, interlaced, 5)),
                           interlaced ? "map interlaced" : "map");
}

std::vector<uint16_t> expected565(const std::vector<Rgb>& colors,
                                  const std::vector<uint8_t>& indices) {
    std::vector<uint16_t> out;
    for (uint8_t i : indices) out.push_back(i < colors.size() ? to565(colors[i]) : 0);
    return out;
}

RawGif rawFor(int width, int height, const std::vector<Rgb>& colors, int minCodeSize,
              const CodeStream& codes) {
    RawGif raw;
    raw.width = width;
    raw.height = height;
    raw.globalColors = colors;
    raw.minCodeSize = minCodeSize;
    raw.imageData = codes.subBlocks();
    return raw;
}

// Code streams giflib never writes, made by the plain encoder and checked against the indices.
TEST(GifDecoder, HandBuiltCodeStreamsDecode) {
    // One colour throughout; no clear code when the table is full; the stream must hold a
    // pending code / over 1000 codes after the table filled.
    enum : unsigned { kOneColour = 1, kNoClear = 2, kNeedsPending = 4, kNeedsFull = 8 };
    struct Case {
        const char* name;
        int width, height, minCodeSize, colors;  // 0 colours: no colour table
        unsigned flags;
        std::vector<uint8_t> beforeImage = {};
    };
    // A plain-text extension of two sub-blocks, then a junk byte.
    const std::vector<uint8_t> plainTextAndJunk = {0x21, 0x01, 3, 'a', 'b', 'c', 2, 'd', 'e', 0, 0};
    const Case cases[] = {
        // One colour repeated: every code after the first is the one being defined.
        {"pending code", 20, 10, 2, 4, kOneColour | kNeedsPending},
        {"full table without clear", 300, 200, 8, 256, kNoClear | kNeedsFull},
        // Minimum code sizes above 8 are legal; the low byte of a literal is the colour.
        {"code size 9", 64, 64, 9, 256, 0},
        {"code size 10", 64, 64, 10, 256, 0},
        {"code size 11", 64, 64, 11, 256, 0},
        {"no colour table: black", 10, 10, 2, 0, 0},
        {"plain-text extension and junk", 25, 14, 3, 8, 0, plainTextAndJunk},
    };
    for (const Case& c : cases) {
        const std::vector<Rgb> colors = palette(c.colors, 15);
        const std::vector<uint8_t> indices =
            c.flags & kOneColour ? std::vector<uint8_t>(size_t(c.width) * c.height, 1)
                                 : runs(c.width, c.height, c.colors ? c.colors : 4, 14);
        bool sawPending = false;
        int codesAfterFull = 0;
        const CodeStream codes =
            lzwEncode(indices, c.minCodeSize, !(c.flags & kNoClear), &sawPending, &codesAfterFull);
        if (c.flags & kNeedsPending) ASSERT_TRUE(sawPending) << c.name;
        if (c.flags & kNeedsFull) ASSERT_GT(codesAfterFull, 1000) << c.name;
        RawGif raw = rawFor(c.width, c.height, colors, c.minCodeSize, codes);
        raw.beforeImage = c.beforeImage;
        const Decoded d = decode565(raw.bytes());
        ASSERT_TRUE(d.ok) << c.name;
        EXPECT_EQ(d.pixels, expected565(colors, indices)) << c.name;
    }
}

TEST(GifDecoder, EarlyEndCodeLeavesLaterRows) {
    const std::vector<uint8_t> indices(3 * 4, 1);  // only the first three rows of eight
    const std::vector<Rgb> colors = palette(4, 2);
    const Decoded d = decode565(rawFor(4, 8, colors, 2, lzwEncode(indices, 2, true)).bytes());
    ASSERT_TRUE(d.ok);
    for (size_t i = 0; i < d.pixels.size(); ++i)
        EXPECT_EQ(d.pixels[i], i < 12 ? to565(colors[1]) : 0x1234) << i;
}

}  // namespace
