// The cells the controls cut out of the widget sprite sheet (picture 124, 81 × 31) and the
// one clipped copy they all draw them with, which the keyboard uses for its layout pictures
// too. Which cell a control shows when is the control's.
#pragma once

#include <cstdint>

struct SpriteCell {
    int x, y, width, height;  // pixels in the sheet
};

namespace sprite {
constexpr SpriteCell kCheckClear{28, 0, 11, 11}, kCheckChecked{39, 0, 11, 11};
constexpr SpriteCell kCheckClearDisabled{50, 0, 11, 11}, kCheckCheckedDisabled{61, 0, 11, 11};
constexpr SpriteCell kRadioOff{46, 11, 11, 11}, kRadioOn{57, 11, 11, 11};
constexpr SpriteCell kSliderLeft{28, 11, 9, 11}, kSliderRight{37, 11, 9, 11};
constexpr SpriteCell kScrollLeft{28, 22, 9, 9}, kScrollRight{37, 22, 9, 9};
constexpr SpriteCell kScrollUp{46, 22, 9, 9}, kScrollDown{55, 22, 9, 9};
constexpr SpriteCell kDropDown{69, 16, 9, 15};
constexpr SpriteCell kCloseBox{72, 0, 9, 9};
// Tab ends and middle, unselected; the selected ones lie kTabSelectedRow lower.
constexpr SpriteCell kTabLeft{0, 0, 13, 15}, kTabMiddle{13, 0, 2, 15}, kTabRight{15, 0, 13, 15};
constexpr int kTabSelectedRow = 16;
}  // namespace sprite

enum class SpriteCopy { kOpaque, kTransparent, kTinted };

// Copies `cell` with its top-left corner at screen (x, y), the part on the screen only.
// kTinted writes each kept pixel ANDed with `tint`. Nothing without the sheet or a back buffer.
void drawSprite(const SpriteCell& cell, int x, int y, SpriteCopy how, uint16_t tint = 0);

class ImageBuffer;
// The w × h part at (sx, sy) of `picture` copied to screen (x, y), cut to the picture and to
// the screen.
void drawPicturePart(const ImageBuffer& picture, int sx, int sy, int w, int h, int x, int y,
                     SpriteCopy how, uint16_t tint = 0);
