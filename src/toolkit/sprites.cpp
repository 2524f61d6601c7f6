// The clipped copy of a sprite-sheet cell into the back buffer.
#include "toolkit/sprites.h"

#include <algorithm>

#include "raster/back_buffer.h"
#include "raster/image_buffer.h"
#include "raster/pictures.h"

void drawSprite(const SpriteCell& cell, int x, int y, SpriteCopy how, uint16_t tint) {
    const ImageBuffer& sheet = controlSprites();
    if (!sheet.pixels() || !backBuffer()) return;
    const int left = std::max(0, -x), top = std::max(0, -y);
    const int right = std::min(cell.width, gDisplay.width - x);
    const int bottom = std::min(cell.height, gDisplay.height - y);
    if (left >= right || top >= bottom) return;
    const int sx = cell.x + left, sy = cell.y + top, w = right - left, h = bottom - top;
    uint16_t* dst = backBuffer();
    const int W = gDisplay.width, H = gDisplay.height;
    switch (how) {
        case SpriteCopy::kOpaque:
            copyOpaque(sheet, dst, x + left, y + top, W, H, sx, sy, w, h);
            break;
        case SpriteCopy::kTransparent:
            copyTransparent(sheet, dst, x + left, y + top, W, H, sx, sy, w, h);
            break;
        case SpriteCopy::kTinted:
            copyTinted(sheet, dst, x + left, y + top, W, H, sx, sy, w, h, tint);
            break;
    }
}
