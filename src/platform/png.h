// PNG files of RGB565 pictures (screenshots of the display and the map checker's output) and
// of 8-bit RGBA pictures (the program's icon, drawn by the asset generator).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Whether `path` ends in ".png", the only name a PNG is written under: a picture saved as
// "shot.jpg" would be PNG data that every viewer takes for something else.
bool isPngName(const std::string& path);

// Writes `width` × `height` RGB565 pixels (rows top to bottom) as an 8-bit RGB PNG, atomically.
bool writePng565(const std::string& path, const uint16_t* pixels, int width, int height,
                 std::string* error);

// Writes `width` × `height` 8-bit RGBA pixels (4 bytes each, alpha not premultiplied, rows top
// to bottom) as a PNG with transparency, atomically.
bool writePngRgba(const std::string& path, const uint8_t* pixels, int width, int height,
                  std::string* error);

// Reads an 8-bit RGB or RGBA PNG into RGB565 pixels (used by tests to read screenshots back).
bool readPng565(const std::string& path, std::vector<uint16_t>* pixels, int* width, int* height);

}  // namespace platform
