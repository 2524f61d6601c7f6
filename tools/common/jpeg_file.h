// Reading JPEG photographs for the build tools (the NASA Earth images): libjpeg's decoding
// into plain 8-bit RGB rows. The program itself never reads JPEG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbPicture {
    int width = 0, height = 0;  // pixels
    std::vector<uint8_t> rgb;   // 3 bytes a pixel, rows top to bottom
};

// Decodes the JPEG file at `path`; false with the reason in `error` when it cannot be read
// or libjpeg rejects it or warns of damage, such as a file cut short (the picture is then
// left as it was).
bool readJpegFile(const std::string& path, RgbPicture* picture, std::string* error);
