// Reading the working texture for the renderers: one clamped texel read and the 2 × 2 and
// 3 × 3 box filters of the globe and the flat map. Every index is clamped into the texture,
// so a rounding slip at the map's edge reads the edge texel instead of leaving the block.
#pragma once

#include <algorithm>
#include <cstdint>

// A texture to read: W × H RGB565 texels, row v at texel v × W.
struct TexelSource {
    const uint16_t* texels = nullptr;
    int32_t width = 0;   // W, pixels
    int32_t height = 0;  // H, pixels
};

// The working texture of the map set (texels null while there is none).
TexelSource currentTexture();

// The texel at column u, row v, each clamped into the texture. Needs texels.
inline uint16_t texelAt(const TexelSource& t, int32_t u, int32_t v) {
    u = std::clamp(u, 0, t.width - 1);
    v = std::clamp(v, 0, t.height - 1);
    return t.texels[static_cast<size_t>(v) * t.width + u];
}

// Per-field mean (5-bit red, 6-bit green, 5-bit blue, each summed and divided truncating)
// of the 2 × 2 texels (u − 1 .. u, v − 1 .. v). u and v are clamped to 1 .. W − 1 and
// 1 .. H − 1; a texture narrower or lower than 2 gives the clamped texel.
uint16_t average2x2(const TexelSource& t, int32_t u, int32_t v);

// The same over the 3 × 3 texels (u − 1 .. u + 1, v − 1 .. v + 1), u and v clamped to
// 1 .. W − 2 and 1 .. H − 2; a texture narrower or lower than 3 gives the clamped texel.
uint16_t average3x3(const TexelSource& t, int32_t u, int32_t v);
