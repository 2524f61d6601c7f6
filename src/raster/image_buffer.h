// Pictures of RGB565 pixels: the built-in interface pictures, the map files and the font.
// An image knows where its pixels come from (a resource number or a file) and gets them on
// demand: whole, or one row at a time from a memory-mapped file for the large maps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/files.h"

class GifDecoder;

// The transparent colour of every picture: full red and blue, no green (magenta).
constexpr uint16_t kTransparent = 0xF81F;

class ImageBuffer {
  public:
    ImageBuffer();                                  // no source
    explicit ImageBuffer(int resourceId);           // a built-in picture
    explicit ImageBuffer(const std::string& file);  // a GIF file (path)
    ~ImageBuffer();
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;

    // Decodes the picture. With `withPixels` clear only width and height are read. With it
    // set the pixels go to `destination` (width × height pixels, plain rows) when given,
    // else into the image's own pixel block, allocated here. False when the source is
    // missing or damaged, its size differs from the one already known (the file was
    // replaced), or memory runs out; the pixel block then stays as it was.
    bool load(uint16_t* destination, bool withPixels);

    // Width and height in pixels, reading only the header first when not yet known
    // (0 when the source cannot be read). The pixel block is not touched.
    int32_t width() const;
    int32_t height() const;

    // Row-at-a-time reading of a file image: map, then readNextRow height times, then unmap.
    bool mapFile();
    // The mapped file's bytes (empty while not mapped).
    const platform::MappedFile& mapping() const { return map_; }
    // The next stored row as width 32-bit 0x00RRGGBB pixels; false after the last row or
    // on a damaged file. Interlaced files deliver their rows in stored order.
    bool readNextRow(uint32_t* row);
    // Unmaps and forgets any row-by-row read in progress; safe when nothing is mapped.
    void unmap();
    // Frees the pixel block (width and height stay known).
    void release();

    uint16_t* pixels() { return pixels_.get(); }
    const uint16_t* pixels() const { return pixels_.get(); }
    const std::string& fileName() const { return fileName_; }
    int32_t resourceId() const { return resourceId_; }
    // The picture's colour key as 0x00RRGGBB (magenta; kTransparent once decoded).
    uint32_t colorKey() const { return colorKey_; }

  private:
    // Decodes the source (the resource, else the file: the open row-by-row mapping or one
    // made for this call) with decodeImage; fills width and height on success. Pixels are
    // refused when the picture's size is no longer the known one.
    bool decodeSource(void* destination, bool withPixels) const;

    // Known size in pixels; a header read from a const accessor fills them in.
    mutable int32_t width_ = 0, height_ = 0;
    int32_t bytesPerPixel_ = 2;
    std::string fileName_;
    uint32_t colorKey_ = 0xFF00FF;
    int32_t resourceId_ = -1;
    std::unique_ptr<uint16_t[]> pixels_;
    platform::MappedFile map_;
    std::unique_ptr<GifDecoder> rowDecoder_;
};

// The three blits. No clipping: callers pass rectangles inside both blocks. `source`
// defaults to the image's own pixels; rows advance by the image's width in the source and by
// `dstWidth` in the destination; a height of 0 or less copies nothing.
void copyOpaque(const ImageBuffer& image, uint16_t* dst, int dx, int dy, int dstWidth,
                int dstHeight, int sx, int sy, int w, int h, const uint16_t* source = nullptr);
// As copyOpaque, skipping kTransparent pixels; w or h of -1 mean the image's width or height.
void copyTransparent(const ImageBuffer& image, uint16_t* dst, int dx, int dy, int dstWidth,
                     int dstHeight, int sx, int sy, int w, int h, const uint16_t* source = nullptr);
// As copyTransparent (no -1 defaults), writing each kept pixel as source AND `mask`; the font
// is drawn this way with the text colour as the mask.
void copyTinted(const ImageBuffer& image, uint16_t* dst, int dx, int dy, int dstWidth,
                int dstHeight, int sx, int sy, int w, int h, uint16_t mask,
                const uint16_t* source = nullptr);
