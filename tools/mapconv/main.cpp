// mundora-mapconv: turns an equirectangular world image (JPEG) into a 256-colour GIF map the
// program can read. A build tool only: the program reads the result with its own decoder.
#include <gif_lib.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gif/gif_decoder.h"
#include "jpeg_file.h"
#include "platform/files.h"

namespace {

const char kUsage[] =
    "usage: mundora-mapconv IN.jpg OUT.gif [--width W]\n"
    "Converts an equirectangular world image into a 256-colour GIF map, W pixels wide and\n"
    "W/2 high (default: the image's own width; W must be even, 2 ... 16384, the widest map\n"
    "the program reads). The image must be twice as wide as high.\n";

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

// Reads the --width value; false after saying what is wrong with it.
bool parseWidth(const char* text, int* width) {
    const char* end = text + std::strlen(text);
    long long value = 0;
    const auto [stop, failed] = std::from_chars(text, end, value);
    if (failed == std::errc::invalid_argument || stop != end) {
        std::fprintf(stderr, "mundora-mapconv: --width %s is not a whole number\n", text);
        return false;
    }
    if (failed == std::errc::result_out_of_range || value < 2 || value > kGifMaxMapWidth) {
        std::fprintf(stderr,
                     "mundora-mapconv: --width %s is outside 2 ... %d (the widest map the "
                     "program reads)\n",
                     text, kGifMaxMapWidth);
        return false;
    }
    if (value % 2 != 0) {
        std::fprintf(
            stderr, "mundora-mapconv: --width %s is odd; a map's height is half its width\n", text);
        return false;
    }
    *width = static_cast<int>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    int width = 0;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--width") != 0) {
            if (argv[i][0] == '-' && argv[i][1] != '\0') {
                std::fprintf(stderr, "mundora-mapconv: unknown option %s\n%s", argv[i], kUsage);
                return 2;
            }
            files.push_back(argv[i]);
        } else if (i + 1 >= argc) {
            std::fprintf(stderr, "mundora-mapconv: --width needs a value\n");
            return 2;
        } else if (!parseWidth(argv[++i], &width)) {
            return 2;
        }
    }
    if (files.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Picture in;
    std::string error;
    if (!readJpegFile(files[0], &in, &error)) {
        std::fprintf(stderr, "mundora-mapconv: %s\n", error.c_str());
        return 1;
    }
    if (in.width != 2 * in.height) {
        std::fprintf(stderr,
                     "mundora-mapconv: %s is %d x %d; a world map is twice as wide as high\n",
                     files[0], in.width, in.height);
        return 1;
    }
    if (width == 0 && in.width > kGifMaxMapWidth) {
        std::fprintf(stderr,
                     "mundora-mapconv: %s is %d pixels wide, wider than the %d the program "
                     "reads; give --width\n",
                     files[0], in.width, kGifMaxMapWidth);
        return 1;
    }
    if (width == 0) width = in.width;
    if (!writeGif(resize(in, width, width / 2), files[1], &error)) {
        std::fprintf(stderr, "mundora-mapconv: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
