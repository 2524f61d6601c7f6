// Fuzz target for the GIF decoder: the header, the whole image at every pixel size and the
// row-by-row read, over arbitrary bytes (bit flips of the seed files among them). Allocation
// is capped so that a plausible header with a huge size does not exhaust memory; the decoder
// itself must never overrun.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gif/gif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GifDecoder header;
    int32_t w = 0, h = 0;
    if (!header.decodeImage(data, size, nullptr, 4, &w, &h, false)) return 0;
    if (w <= 0 || h <= 0 || int64_t{w} * h > (int64_t{1} << 22)) return 0;
    for (int bpp : {2, 3, 4}) {
        // Exactly the picture's bytes at this size, so that ASan sees any write past them.
        std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * bpp);
        GifDecoder whole;
        int32_t w2 = 0, h2 = 0;
        whole.decodeImage(data, size, pixels.data(), bpp, &w2, &h2, true);
    }
    std::vector<uint32_t> row(static_cast<size_t>(w));
    for (int32_t r = 0; r <= h && header.decodeNextRow(data, size, row.data()); ++r) {
    }
    return 0;
}
