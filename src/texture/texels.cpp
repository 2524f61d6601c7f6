// The working texture as the renderers read it; the box filters themselves are inline in
// texels.h.

#include "texture/texels.h"

#include "texture/map_set.h"

TexelSource currentTexture() {
    return TexelSource{gMapSet.mapTexture.get(), gMapSet.textureWidth, gMapSet.textureHeight};
}
