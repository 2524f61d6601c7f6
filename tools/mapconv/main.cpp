// mundora-mapconv: turns an equirectangular world image (JPEG) into a 256-colour GIF map the
// program can read. A build tool only: the program reads the result with its own decoder.
#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "jpeg_file.h"
#include "platform/files.h"

namespace {

const char kUsage[] =
    "usage: mundora-mapconv IN.jpg OUT.gif [--width W]\n"
    "Converts an equirectangular world image into a 256-colour GIF map, W pixels wide and\n"
    "W/2 high (default: the image's own width; W must be even). The image must be twice as\n"
    "wide as high.\n";

using Picture = RgbPicture;

// Box-filtered reduction (or nearest-pixel enlargement) to width × height.
Picture resize(const Picture& in, int width, int height) {
    if (width == in.width && height == in.height) return in;
    Picture out;
    out.width = width;
    out.height = height;
    out.rgb.resize(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        int y0 = y * in.height / height, y1 = std::max(y0 + 1, (y + 1) * in.height / height);
        for (int x = 0; x < width; ++x) {
            int x0 = x * in.width / width, x1 = std::max(x0 + 1, (x + 1) * in.width / width);
            unsigned sum[3] = {0, 0, 0}, n = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx, ++n)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += in.rgb[(static_cast<size_t>(sy) * in.width + sx) * 3 + c];
            for (int c = 0; c < 3; ++c)
                out.rgb[(static_cast<size_t>(y) * width + x) * 3 + c] =
                    static_cast<uint8_t>((sum[c] + n / 2) / n);
        }
    }
    return out;
}

int appendBytes(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

bool writeGif(const Picture& p, const std::string& path, std::string* error) {
    const size_t n = static_cast<size_t>(p.width) * p.height;
    std::vector<GifByteType> r(n), g(n), b(n), indexes(n);
    for (size_t i = 0; i < n; ++i) {
        r[i] = p.rgb[i * 3];
        g[i] = p.rgb[i * 3 + 1];
        b[i] = p.rgb[i * 3 + 2];
    }
    int colours = 256;
    std::vector<GifColorType> palette(256);
    if (GifQuantizeBuffer(static_cast<unsigned>(p.width), static_cast<unsigned>(p.height), &colours,
                          r.data(), g.data(), b.data(), indexes.data(), palette.data()) != GIF_OK) {
        *error = "cannot reduce the image to 256 colours";
        return false;
    }
    std::vector<uint8_t> file;
    int code = 0;
    GifFileType* gif = EGifOpen(&file, appendBytes, &code);
    ColorMapObject* map = gif ? GifMakeMapObject(256, palette.data()) : nullptr;
    bool ok = map && EGifPutScreenDesc(gif, p.width, p.height, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, p.width, p.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < p.height; ++y)
        ok = EGifPutLine(gif, &indexes[static_cast<size_t>(y) * p.width], p.width) == GIF_OK;
    if (map) GifFreeMapObject(map);
    if (gif) ok = EGifCloseFile(gif, &code) == GIF_OK && ok;
    if (!ok) {
        *error = "giflib could not encode the map";
        return false;
    }
    return platform::writeFileAtomic(path, file.data(), file.size(), error);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    int width = 0;
    if (argc == 5 && !std::strcmp(argv[3], "--width")) width = std::atoi(argv[4]);
    if ((argc != 3 && argc != 5) || (argc == 5 && (width < 2 || width % 2 || width > 16384))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Picture in;
    std::string error;
    if (!readJpegFile(argv[1], &in, &error)) {
        std::fprintf(stderr, "mundora-mapconv: %s\n", error.c_str());
        return 1;
    }
    if (in.width != 2 * in.height) {
        std::fprintf(stderr,
                     "mundora-mapconv: %s is %d x %d; a world map is twice as wide as high\n",
                     argv[1], in.width, in.height);
        return 1;
    }
    if (width == 0) width = in.width;
    if (!writeGif(resize(in, width, width / 2), argv[2], &error)) {
        std::fprintf(stderr, "mundora-mapconv: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
