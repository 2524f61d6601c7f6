// Damaged GIF files: each rejection the decoder promises fails cleanly, whole or row by row,
// leaving the outputs of a failed header untouched. Truncations and bit flips anywhere are the
// fuzz target's, which decodes into exactly the picture's bytes so that ASan sees any overrun.
#include <gtest/gtest.h>

#include <vector>

#include "gif/gif_decoder.h"
#include "giflib_io.h"

using namespace gifref;

namespace {

const std::vector<Rgb> kFour = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

RawGif goodRaw() {
    RawGif raw;
    raw.width = 8;
    raw.height = 4;
    raw.globalColors = kFour;
    raw.minCodeSize = 2;
    std::vector<uint8_t> indices(32);
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint8_t>(i % 4);
    raw.imageData = lzwEncode(indices, 2, true).subBlocks();
    return raw;
}

std::vector<uint8_t> withCodes(RawGif raw, std::vector<std::pair<uint32_t, int>> codes) {
    CodeStream s;
    s.codes = std::move(codes);
    raw.imageData = s.subBlocks();
    return raw.bytes();
}

struct RejectCase {
    const char* name;
    std::vector<uint8_t> file;
    bool headerFails;  // the header parse already fails
};

template <typename Change>
std::vector<uint8_t> changed(Change change) {
    RawGif r = goodRaw();
    change(r);
    return r.bytes();
}

std::vector<uint8_t> cut(std::vector<uint8_t> file, size_t size) {
    file.resize(size);
    return file;
}

std::vector<RejectCase> rejectCases() {
    const std::vector<uint8_t> good = goodRaw().bytes();
    const std::vector<uint8_t> comment = {0x21, 0xFE, 10, 'x'};  // announces 10 bytes, has 1
    return {
        {"version neither 7 nor 9", changed([](RawGif& r) { r.version = "88a"; }), true},
        {"not a GIF", {'P', 'N', 'G', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0}, true},
        {"header cut", cut(good, 12), true},
        {"trailer before the image", changed([](RawGif& r) { r.beforeImage = {0x3B}; }), true},
        {"negative width", changed([](RawGif& r) { r.width = 0x8000; }), true},
        {"zero height", changed([](RawGif& r) { r.height = 0; }), true},
        {"over the size cap", changed([](RawGif& r) { r.width = 32767, r.height = 8192; }), true},
        {"local table cut",
         cut(changed([](RawGif& r) { r.globalColors.clear(), r.localColors = kFour; }),
             13 + 10 + 5),
         true},
        {"extension cut", cut(changed([&](RawGif& r) { r.beforeImage = comment; }), 13 + 12 + 4),
         true},
        {"code size 1", changed([](RawGif& r) { r.minCodeSize = 1; }), false},
        {"code size 12", changed([](RawGif& r) { r.minCodeSize = 12; }), false},
        {"code above the next free code", withCodes(goodRaw(), {{4, 3}, {1, 3}, {7, 3}, {5, 3}}),
         false},
        {"first code not a colour", withCodes(goodRaw(), {{6, 3}, {5, 3}}), false},
        {"first code after clear not a colour", withCodes(goodRaw(), {{4, 3}, {6, 3}, {5, 3}}),
         false},
        {"data ends before the last row", withCodes(goodRaw(), {{4, 3}, {1, 3}}), false},
        {"file ends at the code size", cut(good, 13 + 12 + 10 + 1), false},
    };
}

TEST(GifDamaged, RejectionsFailCleanly) {
    for (const RejectCase& c : rejectCases()) {
        SCOPED_TRACE(c.name);
        GifDecoder header;
        int32_t w = -7, h = -7;
        const bool headerOk =
            header.decodeImage(c.file.data(), c.file.size(), nullptr, 2, &w, &h, false);
        EXPECT_EQ(headerOk, !c.headerFails);
        if (!headerOk) {
            EXPECT_EQ(w, -7);  // outputs untouched
            continue;
        }
        std::vector<uint16_t> out(static_cast<size_t>(w) * h);
        GifDecoder whole;
        EXPECT_FALSE(whole.decodeImage(c.file.data(), c.file.size(), out.data(), 2, &w, &h, true));
        std::vector<uint32_t> row(static_cast<size_t>(w));
        int delivered = 0;
        while (header.decodeNextRow(c.file.data(), c.file.size(), row.data())) ++delivered;
        EXPECT_LT(delivered, h);
    }
}

}  // namespace
