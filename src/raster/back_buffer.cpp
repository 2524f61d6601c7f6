// The back buffer and presentation: each frame is copied pixel by pixel into the display
// memory through its signed pitches, so any orientation of that memory is handled, and is
// optionally faded towards black. Nothing here composes frames.
#include "raster/back_buffer.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

platform::DisplayProperties gDisplay{};

namespace {

std::unique_ptr<uint16_t[]> gBackBuffer;
int gBackBufferBytes = 0;

// One RGB565 pixel with each colour field scaled by level / 256.
inline uint16_t fadePixel(uint16_t pixel, uint32_t level) {
    const uint32_t red = ((pixel >> 11) * level) >> 8;
    const uint32_t green = (((pixel >> 5) & 0x3F) * level) >> 8;
    const uint32_t blue = ((pixel & 0x1F) * level) >> 8;
    return static_cast<uint16_t>((red << 11) | (green << 5) | blue);
}

// Copies one back-buffer row to the display row starting at `out`, pixels `xPitch` bytes
// apart, faded when `fading`.
template <typename Pitch>
void copyRow(const uint16_t* row, uint8_t* out, int width, Pitch xPitch, bool fading, int level) {
    for (int x = 0; x < width; ++x) {
        const uint16_t pixel = fading ? fadePixel(row[x], static_cast<uint32_t>(level)) : row[x];
        std::memcpy(out + static_cast<ptrdiff_t>(x) * xPitch, &pixel, 2);
    }
}

// Copies one back-buffer row to the display row starting at `out`.
void presentRow(const uint16_t* row, uint8_t* out, int width, int xPitch, int level) {
    const bool fading = level >= 0 && level <= 255;
    if (!fading && xPitch == 2) {
        std::memcpy(out, row, static_cast<size_t>(width) * 2);
        return;
    }
    // Plain rows, as every backend has them: with the pitch known a fade runs in vector lanes.
    if (xPitch == 2)
        copyRow(row, out, width, std::integral_constant<int, 2>{}, fading, level);
    else
        copyRow(row, out, width, xPitch, fading, level);
}

}  // namespace

bool readDisplayProperties() {
    if (!platform::backend()) return false;
    gDisplay = platform::backend()->displayProperties();
    return true;
}

bool allocateBackBuffer() {
    const int bytesPerPixel = gDisplay.bitsPerPixel >= 8 ? gDisplay.bitsPerPixel / 8 : 2;
    if (gDisplay.width <= 0 || gDisplay.height <= 0) return false;
    const size_t bytes = static_cast<size_t>(gDisplay.width) * gDisplay.height * bytesPerPixel;
    gBackBuffer.reset(new (std::nothrow) uint16_t[(bytes + 1) / 2]());
    gBackBufferBytes = gBackBuffer ? static_cast<int>(bytes) : 0;
    return gBackBuffer != nullptr;
}

void freeBackBuffer() {
    gBackBuffer.reset();
    gBackBufferBytes = 0;
}

uint16_t* backBuffer() {
    return gBackBuffer.get();
}
int backBufferBytes() {
    return gBackBufferBytes;
}

int present(int level) {
    platform::Backend* display = platform::backend();
    if (!display || !gBackBuffer) return 0;
    uint8_t* origin = display->beginDraw();
    if (!origin) return 0;
    // Offsets rather than stepped pointers: with negative pitches a pointer stepped past the
    // last row would leave the display memory.
    for (int y = 0; y < gDisplay.height; ++y)
        presentRow(gBackBuffer.get() + static_cast<size_t>(y) * gDisplay.width,
                   origin + static_cast<ptrdiff_t>(y) * gDisplay.yPitch, gDisplay.width,
                   gDisplay.xPitch, level);
    display->endDraw();
    return 1;
}

void fadeIn() {
    for (int level = 0; level < 256; level += 8) present(level);
}

void fadeOut() {
    for (int level = 255; level > 0; level -= 8) present(level);
}
