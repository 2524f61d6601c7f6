// The texture's box filters with their clamps; the sums themselves are inline in texels.h.

#include "texture/texels.h"

#include "texture/map_set.h"

TexelSource currentTexture() {
    return TexelSource{gMapSet.mapTexture.get(), gMapSet.textureWidth, gMapSet.textureHeight};
}

uint16_t average2x2(const TexelSource& t, int32_t u, int32_t v) {
    if (t.width < 2 || t.height < 2) return texelAt(t, u, v);
    u = std::clamp(u, 1, t.width - 1);
    v = std::clamp(v, 1, t.height - 1);
    return average2x2Inside(t, u, v);
}

uint16_t average3x3(const TexelSource& t, int32_t u, int32_t v) {
    if (t.width < 3 || t.height < 3) return texelAt(t, u, v);
    u = std::clamp(u, 1, t.width - 2);
    v = std::clamp(v, 1, t.height - 2);
    return average3x3Inside(t, u, v);
}
