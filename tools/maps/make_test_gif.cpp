// Test helper for the map checker's CTest checks: writes a GIF of a given size with giflib,
// a diagonal stripe pattern in four colours, optionally interlaced, cut to half its length
// (image data that ends early) or with its headers only (for sizes too large to fill).
// Not installed.

#include <gif_lib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs(
            "usage: make_test_gif OUT WIDTH HEIGHT [--interlaced | --truncated | --header-only]\n",
            stderr);
        return 2;
    }
    const int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
    const bool interlaced = argc > 4 && !std::strcmp(argv[4], "--interlaced");
    const bool truncated = argc > 4 && !std::strcmp(argv[4], "--truncated");
    const bool headerOnly = argc > 4 && !std::strcmp(argv[4], "--header-only");
    if (width < 1 || height < 1) return 2;
    int error = 0;
    GifFileType* gif = EGifOpenFileName(argv[1], false, &error);
    if (!gif) return 1;
    GifColorType colours[4] = {{0, 0, 128}, {0, 128, 0}, {200, 200, 200}, {90, 60, 30}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    bool ok = EGifPutScreenDesc(gif, width, height, 2, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, interlaced, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(static_cast<size_t>(width));
    const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; ok && !headerOnly && pass < (interlaced ? 4 : 1); ++pass)
        for (int y = interlaced ? start[pass] : 0; ok && y < height;
             y += interlaced ? step[pass] : 1) {
            for (int x = 0; x < width; ++x) row[x] = static_cast<GifPixelType>(((x + y) / 16) & 3);
            ok = EGifPutLine(gif, row.data(), width) == GIF_OK;
        }
    GifFreeMapObject(map);
    // Without its pixels giflib may report the image unfinished; the file is written anyway.
    ok = (EGifCloseFile(gif, &error) == GIF_OK || headerOnly) && ok;
    if (ok && truncated) {
        std::error_code failed;
        std::filesystem::resize_file(argv[1], std::filesystem::file_size(argv[1]) / 2, failed);
        ok = !failed;
    }
    return ok ? 0 : 1;
}
