// Reading the working texture for the renderers: the 2 × 2 and 3 × 3 box filters of the
// globe and the flat map (per-field means of RGB565 texels). They do not clamp: the renderers
// call them only where the whole block lies inside the texture.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// A texture to read: W × H RGB565 texels, row v at texel v × W.
struct TexelSource {
    const uint16_t* texels = nullptr;
    int32_t width = 0;   // W, pixels
    int32_t height = 0;  // H, pixels
};

// The working texture of the map set (texels null while there is none).
TexelSource currentTexture();

// The three RGB565 fields of `texel` spread apart (green in the upper half-word) so that
// up to nine of them add without one field carrying into the next.
inline uint32_t spreadFields(uint16_t texel) {
    return (texel | uint32_t{texel} << 16) & 0x07E0F81Fu;
}
// spreadFields(p[0]) + spreadFields(p[1]) from one 32-bit read: masking the pair takes red and
// blue from the first texel and green from the second, and the pair turned by half a word
// gives the other three fields.
static_assert(std::endian::native == std::endian::little, "spreadPair reads texel pairs");
inline uint32_t spreadPair(const uint16_t* p) {
    uint32_t pair;
    std::memcpy(&pair, p, sizeof pair);
    return (pair & 0x07E0F81Fu) + (std::rotl(pair, 16) & 0x07E0F81Fu);
}
// Sums of spread fields divided by `count` field by field (truncating) and packed again.
template <uint32_t count>
inline uint16_t packFieldMeans(uint32_t sum) {
    const uint32_t red = (sum >> 11) & 0x3FF, green = sum >> 21, blue = sum & 0x7FF;
    return static_cast<uint16_t>((red / count) << 11 | (green / count) << 5 | blue / count);
}

// Per-field mean (each field summed and divided truncating) of the 2 × 2 texels
// (u − 1 .. u, v − 1 .. v), at texel index v × W + u: needs 1 ≤ u ≤ W − 1 and 1 ≤ v ≤ H − 1.
inline uint16_t average2x2AtIndex(const TexelSource& t, size_t index) {
    const uint16_t* below = t.texels + index;
    const uint16_t* above = below - t.width;
    return packFieldMeans<4>(spreadPair(above - 1) + spreadPair(below - 1));
}
inline uint16_t average2x2Inside(const TexelSource& t, int32_t u, int32_t v) {
    return average2x2AtIndex(t, static_cast<size_t>(v) * t.width + u);
}

// The same over the 3 × 3 texels (u − 1 .. u + 1, v − 1 .. v + 1): needs 1 ≤ u ≤ W − 2 and
// 1 ≤ v ≤ H − 2.
inline uint16_t average3x3Inside(const TexelSource& t, int32_t u, int32_t v) {
    const uint16_t* row = t.texels + static_cast<size_t>(v - 1) * t.width + u;
    uint32_t sum = 0;
    for (int i = 0; i < 3; ++i, row += t.width) sum += spreadPair(row - 1) + spreadFields(row[1]);
    return packFieldMeans<9>(sum);
}
