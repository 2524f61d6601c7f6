// Checking a map set and rebuilding the texture from it: which compositing the options ask
// for, the progress bar of a rebuild, the message for an unusable set, and the planar height
// that follows the map's size. The compositing itself is compose.cpp.

#include "texture/map_set.h"

#include <cerrno>

#include "base/options.h"
#include "base/redraw.h"
#include "gif/gif_decoder.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "raster/draw.h"
#include "raster/progress_meter.h"
#include "texture/compose.h"
#include "texture/map_message.h"
#include "view/view_state.h"

const char* const kMapSetKeptText =
    "The texture map files you have selected are either incompatible or of invalid "
    "dimensions.\nThe program will continue to work with your current set.";
const char* const kMapSetMissingText =
    "The texture map files currently selected are either incompatible or of invalid "
    "dimensions.\nPlease choose a different set of map files from the options dialog.";

namespace {

std::string sizeText(int32_t width, int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// readMapHeader on a file's bytes already mapped.
bool readHeader(const platform::MappedFile& file, MapHeader* header, std::string* why) {
    GifDecoder decoder;
    int32_t w = 0, h = 0;
    if (!decoder.decodeImage(file.data(), file.size(), nullptr, 4, &w, &h, false)) {
        const bool tooLarge = decoder.refusedAsTooLarge(&w, &h);
        if (tooLarge) *header = MapHeader{w, h, 0, false, true};
        if (why)
            *why = tooLarge ? "is " + sizeText(w, h) + ", larger than the program can use"
                   : GifDecoder::hasSignature(file.data(), file.size())
                       ? "has a damaged GIF header"
                       : "is not a GIF file (it does not start with GIF87a or GIF89a)";
        return false;
    }
    *header = MapHeader{w, h, decoder.info()->colorCount, decoder.interlaced(), false};
    return true;
}

// Why a map file could not be opened, from errno.
std::string unreadable() {
    return "cannot be read (" + platform::fileErrorText(errno) + ")";
}

// The map file at `path` mapped into a new image for the rebuild to stream, its header read;
// null, with `why` said as readMapHeader says it, when it cannot be used.
std::unique_ptr<ImageBuffer> openMap(const std::string& path, MapHeader* header, std::string* why) {
    auto image = std::make_unique<ImageBuffer>(path);
    if (!image->mapFile()) {
        *why = unreadable();
        return nullptr;
    }
    if (!readHeader(image->mapping(), header, why)) return nullptr;
    image->width();  // the size a row of the rebuild is checked against
    return image;
}

}  // namespace

std::string mapPath(const std::string& fileName) {
    return platform::homeFile("maps/" + fileName);
}

bool readMapHeader(const std::string& path, MapHeader* header, std::string* why) {
    platform::MappedFile file;
    if (!file.open(path)) {
        if (why) *why = unreadable();
        return false;
    }
    return readHeader(file, header, why);
}

int checkMapSet(bool withOverlay, int32_t* width, int32_t* height) {
    auto refuse = [](const std::string& path, const std::string& why) {
        gMapSet.refusal = path + " " + why;
        return kMapUnusable;
    };
    const std::string mainPath = mapPath(gOptions.mainMapFile);
    MapHeader mainHeader;
    std::string why;
    std::unique_ptr<ImageBuffer> main = openMap(mainPath, &mainHeader, &why);
    if (!main) return refuse(mainPath, why);
    const int32_t w = mainHeader.width, h = mainHeader.height;
    if (w < 1 || w != 2 * h)
        return refuse(mainPath, "is " + sizeText(w, h) + ", not twice as wide as high");
    if (withOverlay) {
        const std::string overlayPath = mapPath(gOptions.overlayMapFile);
        MapHeader over;
        std::unique_ptr<ImageBuffer> overlay = openMap(overlayPath, &over, &why);
        if (!overlay) return refuse(overlayPath, why);
        if (over.width != w || over.height != h)
            return refuse(overlayPath, "is " + sizeText(over.width, over.height) +
                                           ", not the main map's " + sizeText(w, h));
        if (over.interlaced != mainHeader.interlaced)
            return refuse(overlayPath, over.interlaced ? "is interlaced, the main map is not"
                                                       : "is not interlaced, the main map is");
        gMapSet.overlayMapImage = std::move(overlay);
    }
    gMapSet.mainMapImage = std::move(main);
    gMapSet.interlacedRows = mainHeader.interlaced;
    gMapSet.refusal.clear();
    *width = w;
    *height = h;
    return kMapOk;
}

namespace {

// The compositing for Show Day and Night × Use Overlay Map.
int composeForOptions(ProgressMeter* progress) {
    if (gOptions.showDayNight)
        return gOptions.useOverlayMap ? composeShadedOverlay(progress) : composeShadedMap(progress);
    return gOptions.useOverlayMap ? composeOverlay(progress) : composeDayMap(progress);
}

// The flat map keeps its zoom across a change of map size: its own height stays its own
// height (the offsets scaled with it), a chosen height is applied again within the new map.
void reapplyPlanarHeight(int32_t newHeight) {
    const int32_t wanted = gView.planarHeight;
    // The offsets are scaled from the height in use before the change.
    if (wanted == -1 && gView.mapHeight > 0) gView.planarHeight = gView.mapHeight;
    gView.mapHeight = newHeight;
    setPlanarHeight(wanted);
}

MapChoice choiceInOptions() {
    return {gOptions.mainMapFile, gOptions.overlayMapFile, gOptions.useOverlayMap};
}

}  // namespace

int rebuildTexture(bool showProgress) {
    ProgressMeter meter;
    if (showProgress) {
        setupProgressMeter(&meter, 80, 155, 80, 14, true);
        fillRect(79, 154, 82, 16, 0x0000);
    }
    int result = composeForOptions(showProgress ? &meter : nullptr);
    gRedraw = 1;
    if (result == kMapUnusable) {
        if (gMapSet.mapTexture) {
            // The old texture stays, and so does its set: were the options left naming the
            // refused files, every periodic rebuild would refuse them and say so again.
            if (const std::optional<MapChoice>& kept = gMapSet.choiceInUse) {
                gOptions.mainMapFile = kept->mainMapFile;
                gOptions.overlayMapFile = kept->overlayMapFile;
                gOptions.useOverlayMap = kept->useOverlayMap;
            }
            showMapSetMessage(kMapSetKeptText, false);
        } else {
            showMapSetMessage(kMapSetMissingText, true);
        }
        return kMapOk;
    }
    if (result == kMapOk) gMapSet.choiceInUse = choiceInOptions();
    if (gMapSet.mapTexture) reapplyPlanarHeight(gMapSet.textureHeight);
    return result;
}
