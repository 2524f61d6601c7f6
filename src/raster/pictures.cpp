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
