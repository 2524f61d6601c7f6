// RGB565 pictures to and from PNG files with libpng: writing widens each field so that full
// intensity stays full and writes the file atomically; reading narrows RGB back to RGB565.
// RGBA pictures are written as they are. No other pixel format is written.
#include "platform/png.h"

#include <png.h>

#include <cstdio>

#include "platform/files.h"

namespace platform {
namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

}  // namespace

bool isPngName(const std::string& path) {
    return path.size() >= 4 && path.compare(path.size() - 4, 4, ".png") == 0;
}

bool writePng565(const std::string& path, const uint16_t* pixels, int width, int height,
                 std::string* error) {
    std::vector<uint8_t> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        if (error) *error = "out of memory for the PNG encoder";
        return false;
    }
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (error) *error = "PNG encoder failed";
        return false;
    }
    png_set_write_fn(png, &file, appendBytes, noFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint16_t p = pixels[static_cast<size_t>(y) * width + x];
            // Widen each field so that full intensity stays full (31 -> 255, 63 -> 255).
            uint8_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
            row[x * 3 + 0] = static_cast<uint8_t>((r << 3) | (r >> 2));
            row[x * 3 + 1] = static_cast<uint8_t>((g << 2) | (g >> 4));
            row[x * 3 + 2] = static_cast<uint8_t>((b << 3) | (b >> 2));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return writeFileAtomic(path, file.data(), file.size(), error);
}

bool writePngRgba(const std::string& path, const uint8_t* pixels, int width, int height,
                  std::string* error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;  // asked first, then filled
    std::vector<uint8_t> file;
    bool encoded = png_image_write_get_memory_size(image, size, 0, pixels, 0, nullptr);
    if (encoded) {
        file.resize(size);
        encoded = png_image_write_to_memory(&image, file.data(), &size, 0, pixels, 0, nullptr);
    }
    if (!encoded) {
        if (error) *error = std::string("PNG encoder failed: ") + image.message;
        return false;
    }
    return writeFileAtomic(path, file.data(), size, error);
}

bool readPng565(const std::string& path, std::vector<uint16_t>* pixels, int* width, int* height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    pixels->resize(static_cast<size_t>(*width) * *height);
    for (size_t i = 0; i < pixels->size(); ++i) {
        const uint8_t* p = &rgb[i * 3];
        (*pixels)[i] =
            static_cast<uint16_t>(((p[0] & 0xF8) << 8) | ((p[1] & 0xFC) << 3) | (p[2] >> 3));
    }
    return true;
}

}  // namespace platform
