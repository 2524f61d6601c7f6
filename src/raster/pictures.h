// The built-in interface pictures that stay decoded for the whole run: the control sprites,
// the command panel strip and the small sprites. The font picture belongs to the font and
// the splash is decoded only while it is shown.
#pragma once

#include "raster/image_buffer.h"

constexpr int kSplashPicture = 110;         // 240 × 320
constexpr int kKeyboardPictureFirst = 121;  // 121..123, 240 × 81 each
constexpr int kControlSprites = 124;        // 81 × 31
constexpr int kPanelStrip = 125;            // 226 × 44
constexpr int kFontPicture = 127;           // 156 × 40
constexpr int kSmallSprites = 128;          // 31 × 31

ImageBuffer& controlSprites();
ImageBuffer& panelStrip();
ImageBuffer& smallSprites();

// Decodes the three pictures with their pixels; false at the first that fails (a missing
// or damaged resource, or no memory), leaving the ones before it loaded.
bool loadInterfacePictures();
void releaseInterfacePictures();
