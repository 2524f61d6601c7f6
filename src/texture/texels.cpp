// The texture's box filters, summing the three colour fields of RGB565 separately.

#include "texture/texels.h"

#include "texture/map_set.h"

TexelSource currentTexture() {
    return TexelSource{gMapSet.mapTexture.get(), gMapSet.textureWidth, gMapSet.textureHeight};
}

namespace {

// Mean of the n × n block whose top-left texel is (u0, v0); the caller keeps it inside.
uint16_t averageBlock(const TexelSource& t, int32_t u0, int32_t v0, int n) {
    uint32_t red = 0, green = 0, blue = 0;
    for (int dv = 0; dv < n; ++dv) {
        const uint16_t* row = t.texels + static_cast<size_t>(v0 + dv) * t.width + u0;
        for (int du = 0; du < n; ++du) {
            red += row[du] >> 11;
            green += (row[du] >> 5) & 0x3F;
            blue += row[du] & 0x1F;
        }
    }
    uint32_t count = static_cast<uint32_t>(n * n);
    return static_cast<uint16_t>((red / count) << 11 | (green / count) << 5 | blue / count);
}

}  // namespace

uint16_t average2x2(const TexelSource& t, int32_t u, int32_t v) {
    if (t.width < 2 || t.height < 2) return texelAt(t, u, v);
    u = std::clamp(u, 1, t.width - 1);
    v = std::clamp(v, 1, t.height - 1);
    return averageBlock(t, u - 1, v - 1, 2);
}

uint16_t average3x3(const TexelSource& t, int32_t u, int32_t v) {
    if (t.width < 3 || t.height < 3) return texelAt(t, u, v);
    u = std::clamp(u, 1, t.width - 2);
    v = std::clamp(v, 1, t.height - 2);
    return averageBlock(t, u - 1, v - 1, 3);
}
