// The set of map files the Earth is drawn from (the main map and the optional overlay map in
// the home folder's maps/), its check, and the rebuild of the working texture from it. The
// compositing itself is compose.h; an unusable set is reported through map_message.h.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "raster/image_buffer.h"

// Result codes of the checks and rebuilds.
constexpr int kMapOk = 0;
constexpr int kMapOutOfMemory = -2;
constexpr int kMapUnusable = -5;

// The options that choose a map set: the options record's fields of the same names.
struct MapChoice {
    std::string mainMapFile;
    std::string overlayMapFile;
    bool useOverlayMap = false;
};

// The map images and the working texture; one for the whole run.
struct MapSet {
    // File-based images: path and header size only, mapped from the check until the rebuild
    // has streamed their rows. Null until the first successful check.
    std::unique_ptr<ImageBuffer> mainMapImage;
    std::unique_ptr<ImageBuffer> overlayMapImage;
    // W × H RGB565 texels, row y at texel y × W, north at row 0, Greenwich at column W/2;
    // null until the first good build and after a build that ran out of memory.
    std::unique_ptr<uint16_t[]> mapTexture;
    int32_t textureWidth = 0;   // W, pixels (0 while there is no texture)
    int32_t textureHeight = 0;  // H = W / 2, pixels
    // The checked maps store their rows interlaced (both alike; see checkMapSet).
    bool interlacedRows = false;
    // The options that chose the maps of mapTexture, from the rebuild that made it.
    std::optional<MapChoice> choiceInUse;
    // Why the last check or rebuild refused the set: a map file's path and its fault, e.g.
    // ".../maps/Day.gif is 1000 x 512 pixels, not twice as wide as high". Empty after a
    // check that passed.
    std::string refusal;
};
inline MapSet gMapSet;

// Counts the textures installed over the run: what a renderer works out from one texture
// (the resampled flat map) is stale once this has moved on.
inline uint64_t gTextureGeneration = 0;

// Makes `texels` (W × H) the working texture; null with 0 × 0 releases it.
inline void installTexture(std::unique_ptr<uint16_t[]> texels, int32_t width, int32_t height) {
    gMapSet.mapTexture = std::move(texels);
    gMapSet.textureWidth = gMapSet.mapTexture ? width : 0;
    gMapSet.textureHeight = gMapSet.mapTexture ? height : 0;
    ++gTextureGeneration;
}

// The working texture's texels (gMapSet.textureWidth × textureHeight), null while none.
inline const uint16_t* mapTexture() {
    return gMapSet.mapTexture.get();
}

// The full path of a map file name: the home folder's maps/ then the name.
std::string mapPath(const std::string& fileName);

// What a map file's GIF header says.
struct MapHeader {
    int32_t width = 0;        // pixels
    int32_t height = 0;       // pixels
    int32_t colorCount = 0;   // entries of the colour table in use (0: none, decodes black)
    bool interlaced = false;  // rows stored in four interlaced passes
    bool tooLarge = false;    // over kGifMaxPixels: only width and height are known
};
// Reads the header of the GIF file at `path`; false when the file cannot be opened, is not
// a regular file, its header is damaged or its image is larger than the decoder takes. In
// that last case the header holds the width and height with tooLarge set; otherwise it is
// left untouched. `why`, when given, receives the reason after a false, worded to follow the
// file's name ("cannot be read (it is not a regular file)").
bool readMapHeader(const std::string& path, MapHeader* header, std::string* why = nullptr);

// Checks the options' main map (and, with `withOverlay`, the overlay map): the main map must
// decode with width W ≥ 1 and W = 2 × H, the overlay must have the same size. On success the
// map images are replaced by the checked files, left mapped for the rebuild to stream (which
// unmaps them), W and H are written and 0 is returned; otherwise -5 and nothing changes (the
// outputs are left alone). Each file is opened once. The overlay must also share
// the main map's interlacing, since both are streamed row by row in stored order.
int checkMapSet(bool withOverlay, int32_t* width, int32_t* height);

// Rebuilds mapTexture with the compositing the options choose (Show Day and Night, Use
// Overlay Map), with a progress bar at (80, 155) when `showProgress` is set. Sets the redraw
// flag. An unusable set leaves the old texture, shows its message (see map_message.h) and
// returns 0; while there is a texture, the options' map files and Use Overlay Map go back to
// the set in use, so that the next rebuild uses that set and says nothing. Otherwise the
// planar height is re-applied for the new map size. Returns 0, or
// -2 when memory ran out (mapTexture is then null). Called by start-up (no progress) and by
// the day/night command, the options dialog and the periodic shadow update (with progress).
int rebuildTexture(bool showProgress);

// The shown texts of an unusable set, with and without a texture to go on with.
extern const char* const kMapSetKeptText;
extern const char* const kMapSetMissingText;
