// Image buffers: getting a picture's pixels from its resource or file through the GIF
// decoder, row-by-row reading of mapped map files, and the three unclipped blits.
// Nothing here draws on the screen; presentation lives in back_buffer.cpp.
#include "raster/image_buffer.h"

#include <cstring>
#include <new>

#include "gif/gif_decoder.h"
#include "platform/resources.h"
#include "raster/back_buffer.h"

namespace {

// Every image takes its pixel size from the display; before the display is known the
// program's only format, RGB565, is assumed.
int32_t displayBytesPerPixel() {
    return gDisplay.bitsPerPixel >= 8 ? gDisplay.bitsPerPixel / 8 : 2;
}

// The transparent and tinted blits: kept source pixels are written AND `mask`.
void copyMasked(const ImageBuffer& image, uint16_t* dst, int dx, int dy, int dstWidth, int sx,
                int sy, int w, int h, uint16_t mask, const uint16_t* source) {
    if (h <= 0 || w <= 0) return;
    const size_t srcWidth = static_cast<size_t>(image.width());
    const uint16_t* src = (source ? source : image.pixels()) + sy * srcWidth + sx;
    uint16_t* out = dst + static_cast<size_t>(dy) * dstWidth + dx;
    for (int row = 0; row < h; ++row, src += srcWidth, out += dstWidth)
        for (int x = 0; x < w; ++x)
            if (src[x] != kTransparent) out[x] = src[x] & mask;
}

}  // namespace

ImageBuffer::ImageBuffer() = default;
ImageBuffer::ImageBuffer(int resourceId) : resourceId_(resourceId) {}
ImageBuffer::ImageBuffer(const std::string& file) : fileName_(file) {}
ImageBuffer::~ImageBuffer() = default;

bool ImageBuffer::decodeSource(void* destination, bool withPixels) const {
    const uint8_t* data = nullptr;
    size_t size = 0;
    platform::MappedFile local;
    if (resourceId_ != -1) {
        const platform::Resource* resource = platform::findResource(resourceId_);
        if (!resource) return false;
        data = resource->data;
        size = resource->size;
    } else if (map_.isOpen()) {
        data = map_.data();
        size = map_.size();
    } else {
        if (fileName_.empty() || !local.open(fileName_)) return false;
        data = local.data();
        size = local.size();
    }
    GifDecoder decoder;
    int32_t w = 0, h = 0;
    if (!decoder.decodeImage(data, size, nullptr, bytesPerPixel_, &w, &h, false)) return false;
    // A destination was sized from the known size; a file replaced since then by a larger
    // picture must not be decoded into it.
    if (withPixels && width_ != 0 && height_ != 0 && (w != width_ || h != height_)) return false;
    if (withPixels && !decoder.decodeImage(data, size, destination, bytesPerPixel_, &w, &h, true))
        return false;
    width_ = w;
    height_ = h;
    return true;
}

bool ImageBuffer::load(uint16_t* destination, bool withPixels) {
    bytesPerPixel_ = displayBytesPerPixel();
    if (!withPixels) return decodeSource(nullptr, false);
    if (destination) return decodeSource(destination, true);
    // The own block is sized from the header as it is now, in case the file was replaced.
    const int32_t knownWidth = width_, knownHeight = height_;
    width_ = height_ = 0;
    if (!decodeSource(nullptr, false)) {
        width_ = knownWidth;
        height_ = knownHeight;
        return false;
    }
    const size_t bytes = static_cast<size_t>(width_) * height_ * bytesPerPixel_;
    std::unique_ptr<uint16_t[]> block(new (std::nothrow) uint16_t[(bytes + 1) / 2]);
    if (!block || !decodeSource(block.get(), true)) return false;
    pixels_ = std::move(block);
    return true;
}

int32_t ImageBuffer::width() const {
    if (width_ == 0) decodeSource(nullptr, false);
    return width_;
}

int32_t ImageBuffer::height() const {
    if (height_ == 0) decodeSource(nullptr, false);
    return height_;
}

bool ImageBuffer::mapFile() {
    if (map_.isOpen()) return true;
    return !fileName_.empty() && map_.open(fileName_);
}

bool ImageBuffer::readNextRow(uint32_t* row) {
    if (!map_.isOpen()) return false;
    if (!rowDecoder_) {
        rowDecoder_.reset(new (std::nothrow) GifDecoder());
        int32_t w = 0, h = 0;
        // The caller sized its row from the known width; a replaced file must match it.
        if (!rowDecoder_ ||
            !rowDecoder_->decodeImage(map_.data(), map_.size(), nullptr, 4, &w, &h, false) ||
            (width_ != 0 && w != width_)) {
            rowDecoder_.reset();
            return false;
        }
        width_ = w;
        height_ = h;
    }
    return rowDecoder_->decodeNextRow(map_.data(), map_.size(), row);
}

void ImageBuffer::unmap() {
    rowDecoder_.reset();
    map_.close();
}

void ImageBuffer::release() {
    pixels_.reset();
}

void copyOpaque(const ImageBuffer& image, uint16_t* dst, int dx, int dy, int dstWidth, int, int sx,
                int sy, int w, int h, const uint16_t* source) {
    if (h <= 0 || w <= 0) return;
    const size_t srcWidth = static_cast<size_t>(image.width());
    const uint16_t* src = (source ? source : image.pixels()) + sy * srcWidth + sx;
    uint16_t* out = dst + static_cast<size_t>(dy) * dstWidth + dx;
    for (int row = 0; row < h; ++row, src += srcWidth, out += dstWidth)
        std::memcpy(out, src, static_cast<size_t>(w) * sizeof(uint16_t));
}

void copyTransparent(const ImageBuffer& image, uint16_t* dst, int dx, int dy, int dstWidth, int,
                     int sx, int sy, int w, int h, const uint16_t* source) {
    if (w == -1) w = image.width();
    if (h == -1) h = image.height();
    copyMasked(image, dst, dx, dy, dstWidth, sx, sy, w, h, 0xFFFF, source);
}

void copyTinted(const ImageBuffer& image, uint16_t* dst, int dx, int dy, int dstWidth, int, int sx,
                int sy, int w, int h, uint16_t mask, const uint16_t* source) {
    copyMasked(image, dst, dx, dy, dstWidth, sx, sy, w, h, mask, source);
}
