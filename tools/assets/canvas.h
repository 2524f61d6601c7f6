// The generator's drawing surface: a picture of 0xRRGGBB pixels with the few operations the
// interface pictures are drawn with, and its encoding as a GIF file with giflib.
// Colours the program compares exactly (transparent key, panel colours) are given as RGB565
// and widened by bit replication, so that the program's decoder gets them back unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// The transparent key 0xF81F of every picture, widened.
constexpr uint32_t kKey = 0xFF00FF;

// RGB565 widened to 0xRRGGBB so that dropping the low bits gives the same value back.
uint32_t from565(uint16_t c);

struct Canvas {
    int width = 0, height = 0;  // pixels
    std::vector<uint32_t> px;   // width × height, rows top to bottom, 0xRRGGBB

    Canvas(int w, int h, uint32_t fill);
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint32_t at(int x, int y) const { return px[size_t(y) * width + x]; }
    // Sets one pixel; points outside are ignored.
    void set(int x, int y, uint32_t c);
    // Fills the rectangle (clipped).
    void fill(int x, int y, int w, int h, uint32_t c);
    // One-pixel outline of the rectangle.
    void outline(int x, int y, int w, int h, uint32_t c);
};

// Encodes the canvas as a GIF89a: with its exact colours when it has at most 256, else
// reduced to 256 by giflib's median cut. False (with a reason) when encoding fails.
bool encodeGif(const Canvas& canvas, std::vector<uint8_t>* out, std::string* error);

}  // namespace assets
