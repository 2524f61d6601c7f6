// mundora-maps: says whether GIF files can serve as the program's main or overlay map,
// decoding them with the program's own decoder, and optionally writes the decoded picture
// as PNG exactly as the program would draw it. It reads nothing but the named files.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gif/gif_decoder.h"
#include "platform/png.h"
#include "raster/image_buffer.h"
#include "texture/map_set.h"

namespace {

const char kUsage[] =
    "usage: mundora-maps [--png OUT] FILE...\n"
    "Checks each GIF FILE as a world map for Mundora: it must decode completely with the\n"
    "program's decoder, be exactly twice as wide as high and have a colour table.\n"
    "Interlaced maps are usable; a main and an overlay map must then both be interlaced.\n"
    "  --png OUT  write the decoded picture as PNG (RGB565, as the program shows it) to\n"
    "             OUT, a name ending in .png;\n"
    "             with several files the Nth goes to OUT with -N before its extension\n"
    "             (maps.png: maps-1.png, maps-2.png, ...)\n"
    "Exit status: 0 all files usable, 1 some file not usable, 2 bad usage.\n";

// OUT for the `index`-th (1-based) of `count` files.
std::string pngName(const std::string& out, size_t index, size_t count) {
    if (count == 1) return out;
    size_t dot = out.rfind('.');
    size_t slash = out.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = out.size();
    return out.substr(0, dot) + "-" + std::to_string(index) + out.substr(dot);
}

// Checks one file and prints its verdict; true when usable.
bool checkFile(const std::string& path, const std::string& pngOut) {
    MapHeader header;
    std::string why;
    const bool read = readMapHeader(path, &header, &why);
    if (header.tooLarge) {
        std::printf(
            "%s: not usable: %d x %d pixels is larger than the program can use (at most %lld "
            "pixels, a %d x %d map)\n",
            path.c_str(), header.width, header.height, static_cast<long long>(kGifMaxPixels),
            kGifMaxMapWidth, kGifMaxMapWidth / 2);
        return false;
    }
    if (!read) {
        std::printf("%s: not usable: it %s\n", path.c_str(), why.c_str());
        return false;
    }
    std::printf("%s: %d x %d pixels, %d colours, %s\n", path.c_str(), header.width, header.height,
                header.colorCount, header.interlaced ? "interlaced" : "not interlaced");
    ImageBuffer image(path);
    if (!image.load(nullptr, true)) {
        std::printf("  not usable: the image data is damaged or ends early\n");
        return false;
    }
    bool usable = true;
    if (header.width != 2 * header.height) {
        std::printf("  not usable: the width %d is not twice the height %d\n", header.width,
                    header.height);
        usable = false;
    }
    if (header.colorCount == 0) {
        std::printf("  not usable: no colour table, every pixel would be black\n");
        usable = false;
    }
    if (usable) {
        std::printf("  usable as a main or overlay map%s\n",
                    header.interlaced ? " (with a map that is interlaced too)" : "");
    }
    if (!pngOut.empty()) {
        std::string error;
        if (!platform::writePng565(pngOut, image.pixels(), header.width, header.height, &error)) {
            std::printf("  cannot write %s: %s\n", pngOut.c_str(), error.c_str());
            return false;
        }
        std::printf("  picture written to %s\n", pngOut.c_str());
    }
    return usable;
}

}  // namespace

int main(int argc, char** argv) {
    std::string png;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--png")) {
            if (i + 1 >= argc) {
                std::fputs("mundora-maps: --png needs a file name\n", stderr);
                return 2;
            }
            png = argv[++i];
            if (!platform::isPngName(png)) {
                std::fprintf(stderr, "mundora-maps: --png %s: the name must end in .png\n",
                             png.c_str());
                return 2;
            }
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            std::fprintf(stderr, "mundora-maps: unknown option %s\n%s", argv[i], kUsage);
            return 2;
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    bool allUsable = true;
    for (size_t i = 0; i < files.size(); ++i)
        allUsable =
            checkFile(files[i], png.empty() ? "" : pngName(png, i + 1, files.size())) && allUsable;
    return allUsable ? 0 : 1;
}
