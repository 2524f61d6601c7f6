// Decodes the control sprites, the command panel strip and the small sprites once at
// start-up and releases them at exit. Which part of a picture a widget copies is the
// widget's own business.
#include "raster/pictures.h"

namespace {
ImageBuffer gControlSprites(kControlSprites);
ImageBuffer gPanelStrip(kPanelStrip);
ImageBuffer gSmallSprites(kSmallSprites);
}  // namespace

ImageBuffer& controlSprites() { return gControlSprites; }
ImageBuffer& panelStrip() { return gPanelStrip; }
ImageBuffer& smallSprites() { return gSmallSprites; }

bool loadInterfacePictures() {
    for (ImageBuffer* image : {&gControlSprites, &gPanelStrip, &gSmallSprites})
        if (!image->load(nullptr, true)) return false;
    return true;
}

void releaseInterfacePictures() {
    for (ImageBuffer* image : {&gControlSprites, &gPanelStrip, &gSmallSprites}) image->release();
}
