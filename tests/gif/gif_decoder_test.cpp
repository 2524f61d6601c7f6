// The GIF decoder against giflib's own decoding of files giflib wrote (every code size,
// interlaced or not, local tables, a map-sized picture), and against the inverse operation
// (an LZW encoder) for the code streams giflib never writes.
#include "texture/gif/gif_decoder.h"

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

    GifDecoder rows;
    ASSERT_TRUE(rows.decodeImage(file.data(), file.size(), nullptr, 4, &w2, &h2, false));
    std::vector<uint32_t> row(static_cast<size_t>(w));
    for (int r : storedRowOrder(h, rows.interlaced())) {
        ASSERT_TRUE(rows.decodeNextRow(file.data(), file.size(), row.data())) << "row " << r;
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(row[x], ref[static_cast<size_t>(r) * w + x]) << x << "," << r;
    }
    EXPECT_FALSE(rows.decodeNextRow(file.data(), file.size(), row.data()));
    EXPECT_FALSE(rows.decodeNextRow(file.data(), file.size(), row.data()));
}

struct GiflibCase {
    const char* name;
    int width, height, colors;
    bool interlaced, localTable;
};

const GiflibCase kGiflibCases[] = {
    {"2 colours (code size 2)", 37, 23, 2, false, false},
    {"4 colours", 64, 40, 4, false, false},
    {"8 colours interlaced", 50, 33, 8, true, false},
    {"16 colours", 31, 17, 16, false, false},
    {"32 colours interlaced", 100, 9, 32, true, false},
    {"64 colours local table", 80, 60, 64, false, true},
    {"128 colours", 127, 65, 128, false, false},
    {"256 colours interlaced local", 200, 151, 256, true, true},
    {"width 1, strings span rows", 1, 300, 4, false, false},
    {"width 3 interlaced, strings span rows", 3, 41, 2, true, false},
    {"one pixel", 1, 1, 2, false, false},
    {"height under 8 interlaced", 20, 5, 16, true, false},
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
    p.interlaced = c.interlaced;
    p.globalColors = palette(c.colors, 7);
    if (c.localTable) p.localColors = palette(c.colors, 99);
    p.indices = runs(c.width, c.height, c.colors, 3);
    expectSameAsGiflib(writeWithGiflib(p), c.name);
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

TEST(GifDecoder, VersionsDecodeAlike) {
    Picture p;
    p.width = 30;
    p.height = 20;
    p.globalColors = palette(16, 1);
    p.indices = runs(30, 20, 16, 2);
    p.gif89 = false;
    const std::vector<uint8_t> a87 = writeWithGiflib(p);
    p.gif89 = true;
    const std::vector<uint8_t> a89 = writeWithGiflib(p);
    ASSERT_EQ(a87[4], '7');
    ASSERT_EQ(a89[4], '9');
    const Decoded d87 = decode565(a87), d89 = decode565(a89);
    ASSERT_TRUE(d87.ok && d89.ok);
    EXPECT_EQ(d87.pixels, d89.pixels);
    EXPECT_EQ(d87.pixels, expected565(p.globalColors, p.indices));
}

TEST(GifDecoder, ExtensionsAndTransparencyAreSkipped) {
    Picture p;
    p.width = 25;
    p.height = 14;
    p.globalColors = palette(8, 4);
    p.indices = runs(25, 14, 8, 5);
    p.extensions = true;
    p.transparentIndex = p.indices[0];
    const Decoded d = decode565(writeWithGiflib(p));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.pixels, expected565(p.globalColors, p.indices));
    // A plain-text extension (label 0x01) and a junk byte before the image are passed over.
    RawGif raw;
    raw.width = 25;
    raw.height = 14;
    raw.globalColors = p.globalColors;
    raw.minCodeSize = 3;
    raw.beforeImage = {0x21, 0x01, 3, 'a', 'b', 'c', 2, 'd', 'e', 0, 0x00};
    raw.imageData = lzwEncode(p.indices, 3, true).subBlocks();
    const Decoded r = decode565(raw.bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.pixels, expected565(p.globalColors, p.indices));
}

TEST(GifDecoder, LocalTableWins) {
    Picture p;
    p.width = 16;
    p.height = 16;
    p.indices = runs(16, 16, 4, 9);
    p.localColors = palette(4, 10);
    const Decoded onlyLocal = decode565(writeWithGiflib(p));
    ASSERT_TRUE(onlyLocal.ok);
    EXPECT_EQ(onlyLocal.pixels, expected565(p.localColors, p.indices));
    p.globalColors = palette(4, 11);
    const Decoded both = decode565(writeWithGiflib(p));
    ASSERT_TRUE(both.ok);
    EXPECT_EQ(both.pixels, expected565(p.localColors, p.indices));
}

TEST(GifDecoder, InterlacedEqualsPlain) {
    Picture p = earthLike(90, 77, false, 8);
    const Decoded plain = decode565(writeWithGiflib(p));
    p.interlaced = true;
    const Decoded interlaced = decode565(writeWithGiflib(p));
    ASSERT_TRUE(plain.ok && interlaced.ok);
    EXPECT_EQ(plain.pixels, interlaced.pixels);
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

TEST(GifDecoder, PendingCodeDecodes) {
    // One colour repeated: every code after the first is the one being defined.
    const std::vector<uint8_t> indices(200, 1);
    bool sawPending = false;
    const CodeStream codes = lzwEncode(indices, 2, true, &sawPending);
    ASSERT_TRUE(sawPending);
    const Decoded d = decode565(rawFor(20, 10, palette(4, 1), 2, codes).bytes());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.pixels, expected565(palette(4, 1), indices));
}

TEST(GifDecoder, FullTableWithoutClearKeepsDecoding) {
    const int w = 300, h = 200;
    const std::vector<uint8_t> indices = runs(w, h, 256, 12);
    int codesAfterFull = 0;
    const CodeStream codes = lzwEncode(indices, 8, false, nullptr, &codesAfterFull);
    ASSERT_GT(codesAfterFull, 1000);
    const std::vector<Rgb> colors = palette(256, 13);
    const Decoded d = decode565(rawFor(w, h, colors, 8, codes).bytes());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.pixels, expected565(colors, indices));
}

TEST(GifDecoder, WideCodeSizesDecode) {
    // Minimum code sizes above 8 are legal; the low byte of a literal is the colour.
    const std::vector<uint8_t> indices = runs(64, 64, 256, 14);
    const std::vector<Rgb> colors = palette(256, 15);
    for (int m : {9, 10, 11}) {
        const Decoded d = decode565(rawFor(64, 64, colors, m, lzwEncode(indices, m, true)).bytes());
        ASSERT_TRUE(d.ok) << m;
        EXPECT_EQ(d.pixels, expected565(colors, indices)) << m;
    }
}

TEST(GifDecoder, ReadCodeUnpacksAcrossSubBlocks) {
    // 904 codes of 3 bits (339 bytes, no padding) span two sub-blocks.
    CodeStream codes;
    for (uint32_t i = 0; i < 904; ++i) codes.codes.push_back({i * 5 % 8, 3});
    const std::vector<uint8_t> file = rawFor(4, 4, palette(4, 1), 2, codes).bytes();
    GifDecoder decoder;
    int32_t w, h;
    ASSERT_TRUE(decoder.decodeImage(file.data(), file.size(), nullptr, 2, &w, &h, false));
    ASSERT_TRUE(decoder.beginCodeStream());
    for (const auto& [code, width] : codes.codes) ASSERT_EQ(decoder.readCode(), code);
    EXPECT_EQ(decoder.readCode(), GifDecoder::kNoData);
}

TEST(GifDecoder, PaletteExtremesIn565) {
    const std::vector<Rgb> colors = {{255, 255, 255}, {255, 0, 255}, {0, 0, 0}, {8, 4, 8}};
    const std::vector<uint8_t> indices = {0, 1, 2, 3};
    const Decoded d = decode565(rawFor(4, 1, colors, 2, lzwEncode(indices, 2, true)).bytes());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.pixels, (std::vector<uint16_t>{0xFFFF, 0xF81F, 0x0000, 0x0821}));
}

TEST(GifDecoder, HeaderOnlyWritesNoPixels) {
    const std::vector<uint8_t> file = writeWithGiflib(earthLike(40, 30, false, 1));
    std::vector<uint16_t> out(40 * 30, 0xABCD);
    GifDecoder decoder;
    int32_t w = 0, h = 0;
    ASSERT_TRUE(decoder.decodeImage(file.data(), file.size(), out.data(), 2, &w, &h, false));
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(out, std::vector<uint16_t>(40 * 30, 0xABCD));
}

TEST(GifDecoder, NoColourTableDecodesBlack) {
    const std::vector<uint8_t> indices = runs(10, 10, 4, 3);
    const Decoded d = decode565(rawFor(10, 10, {}, 2, lzwEncode(indices, 2, true)).bytes());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.pixels, std::vector<uint16_t>(100, 0));
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
