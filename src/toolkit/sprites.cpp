// The clipped copies of picture parts into the back buffer: the blits themselves do not clip.
#include "toolkit/sprites.h"

#include <algorithm>

#include "raster/back_buffer.h"
#include "raster/image_buffer.h"
#include "raster/pictures.h"

void drawPicturePart(const ImageBuffer& picture, int sx, int sy, int w, int h, int x, int y,
                     SpriteCopy how, uint16_t tint) {
    if (!picture.pixels() || !backBuffer()) return;
    // Cut the source to the picture, then the destination to the screen.
    const int left = std::max({0, -sx, -x}), top = std::max({0, -sy, -y});
    const int right = std::min({w, picture.width() - sx, gDisplay.width - x});
    const int bottom = std::min({h, picture.height() - sy, gDisplay.height - y});
    if (left >= right || top >= bottom) return;
    uint16_t* dst = backBuffer();
    const int W = gDisplay.width, H = gDisplay.height;
    const int dx = x + left, dy = y + top, cx = sx + left, cy = sy + top;
    const int cw = right - left, ch = bottom - top;
    switch (how) {
        case SpriteCopy::kOpaque:
            copyOpaque(picture, dst, dx, dy, W, H, cx, cy, cw, ch);
            break;
        case SpriteCopy::kTransparent:
            copyTransparent(picture, dst, dx, dy, W, H, cx, cy, cw, ch);
            break;
        case SpriteCopy::kTinted:
            copyTinted(picture, dst, dx, dy, W, H, cx, cy, cw, ch, tint);
            break;
    }
}

void drawSprite(const SpriteCell& cell, int x, int y, SpriteCopy how, uint16_t tint) {
    drawPicturePart(controlSprites(), cell.x, cell.y, cell.width, cell.height, x, y, how, tint);
}
