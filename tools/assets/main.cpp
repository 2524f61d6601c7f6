// mundora-assets: draws every interface picture of the program from the text sources in
// assets/ and the NASA Earth photographs, writes each as a GIF file, and writes a C++ source
// holding the GIF bytes and the resource table that the program is built with. With --places
// it draws instead the pictures of the sample route files, one sprite sheet each; with --icons
// the desktop icon at the usual sizes.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "canvas.h"
#include "glyphs.h"
#include "pictures.h"
#include "platform/files.h"
#include "platform/png.h"
#include "splash.h"

namespace {

struct Options {
    std::string assets = "assets";
    std::string day = "/usr/share/xplanet/images/earth.jpg";
    std::string night = "/usr/share/xplanet/images/night.jpg";
    std::string out = ".";
    std::string source;  // the generated C++ file; none when empty
    std::string places;  // sprite sheets of the route files' pictures; none when empty
    std::string icons;   // folder of the icon theme tree; none when empty
    bool png = false;
};

struct Picture {
    int id;
    std::string name;  // file name without suffix
    assets::Canvas canvas;
};

const char kHelp[] =
    "Usage: mundora-assets [options]\n"
    "Draws the interface pictures (splash 110, keyboards 121-123, control sprites 124,\n"
    "command panel 125, font 127, small sprites 128) and writes them as GIF files.\n"
    "  --assets DIR   text sources (glyph files, sprite layouts) [assets]\n"
    "  --day FILE     day-side Earth photograph, equirectangular JPEG\n"
    "  --night FILE   night-side Earth photograph, equirectangular JPEG\n"
    "  --out DIR      folder for the GIF files [.]\n"
    "  --source FILE  also write a C++ source with the GIF bytes and resource table\n"
    "  --places DIR   draw only the pictures of the sample route files: each sprite\n"
    "                 sheet DIR/NAME.txt as NAME.gif in the --out folder\n"
    "  --icons DIR    draw only the desktop icon, from the photographs, as\n"
    "                 DIR/SIZExSIZE/apps/mundora.png (48, 64, 128, 256)\n"
    "  --png          also write each picture as PNG (for looking at)\n"
    "  --help         this text\n";

// Parses the command line; returns -1 to go on, else the exit code.
int parseArguments(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string* value = arg == "--assets"   ? &options->assets
                             : arg == "--day"    ? &options->day
                             : arg == "--night"  ? &options->night
                             : arg == "--out"    ? &options->out
                             : arg == "--source" ? &options->source
                             : arg == "--places" ? &options->places
                             : arg == "--icons"  ? &options->icons
                                                 : nullptr;
        if (arg == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (arg == "--png") {
            options->png = true;
        } else if (value && i + 1 < argc) {
            *value = argv[++i];
        } else {
            std::fprintf(stderr, "mundora-assets: bad argument '%s'\n%s", arg.c_str(), kHelp);
            return 2;
        }
    }
    return -1;
}

bool drawAll(const Options& options, std::vector<Picture>* pictures, std::string* error) {
    assets::GlyphFont font, title;
    std::string dir = options.assets + "/";
    if (!assets::readGlyphFont(dir + "font_6x10.txt", &font, error) ||
        !assets::readGlyphFont(dir + "font_extra.txt", &font, error) ||
        !assets::readGlyphFont(dir + "title_9x18b.txt", &title, error))
        return false;
    assets::Canvas splash(1, 1, 0), controls(1, 1, 0), panel(1, 1, 0), small(1, 1, 0);
    if (!assets::drawSplash(options.day, options.night, title, &splash, error) ||
        !assets::drawSheet(dir + "controls.txt", &controls, error) ||
        !assets::drawSheet(dir + "panel.txt", &panel, error) ||
        !assets::drawSheet(dir + "small_sprites.txt", &small, error))
        return false;
    pictures->push_back({110, "splash", std::move(splash)});
    pictures->push_back({121, "keyboard_symbols", assets::drawKeyboard(121, font)});
    pictures->push_back({122, "keyboard_lower", assets::drawKeyboard(122, font)});
    pictures->push_back({123, "keyboard_upper", assets::drawKeyboard(123, font)});
    pictures->push_back({124, "controls", std::move(controls)});
    pictures->push_back({125, "panel", std::move(panel)});
    pictures->push_back({127, "font", assets::drawFontPicture(font)});
    pictures->push_back({128, "small_sprites", std::move(small)});
    return true;
}

// Every sprite sheet of the places folder, named after its file.
bool drawPlaces(const Options& options, std::vector<Picture>* pictures, std::string* error) {
    for (const std::string& file : platform::listFiles(options.places, ".txt")) {
        assets::Canvas canvas(1, 1, 0);
        if (!assets::drawSheet(platform::joinPath(options.places, file), &canvas, error))
            return false;
        pictures->push_back({0, file.substr(0, file.size() - 4), std::move(canvas)});
    }
    if (pictures->empty()) *error = "no sprite sheets (*.txt) in " + options.places;
    return !pictures->empty();
}

// The icon at each size, laid out as an icon theme's folders are.
bool drawIcons(const Options& options, std::string* error) {
    RgbPicture day, night;
    if (!readJpegFile(options.day, &day, error) || !readJpegFile(options.night, &night, error))
        return false;
    for (int size : {48, 64, 128, 256}) {
        const std::string side = std::to_string(size);
        const std::string dir = options.icons + "/" + side + "x" + side + "/apps";
        std::vector<uint8_t> rgba;
        assets::drawIcon(day, night, size, &rgba);
        if (!platform::makeDirectories(dir)) {
            *error = "cannot make the folder " + dir + " (" + platform::fileErrorText(errno) + ")";
            return false;
        }
        if (!platform::writePngRgba(dir + "/mundora.png", rgba.data(), size, size, error))
            return false;
    }
    return true;
}

std::vector<uint16_t> to565(const assets::Canvas& canvas) {
    std::vector<uint16_t> out(canvas.px.size());
    for (size_t i = 0; i < out.size(); ++i) {
        uint32_t c = canvas.px[i];
        out[i] = uint16_t((c >> 19 & 31) << 11 | (c >> 10 & 63) << 5 | (c >> 3 & 31));
    }
    return out;
}

void appendArray(std::string* source, int id, const std::vector<uint8_t>& bytes) {
    *source += "const uint8_t kGif" + std::to_string(id) + "[] = {";
    for (size_t i = 0; i < bytes.size(); ++i) {
        *source += (i % 16 ? " " : "\n    ") + std::to_string(bytes[i]) + ",";
    }
    *source += "\n};\n\n";
}

std::string embeddedSource(const std::vector<Picture>& pictures,
                           const std::vector<std::vector<uint8_t>>& gifs) {
    std::string source =
        "// Generated by mundora-assets from the text sources in assets/; do not edit.\n"
        "#include \"embedded_resources.h\"\n\n#include <cstdint>\n\nnamespace {\n\n";
    for (size_t i = 0; i < pictures.size(); ++i) appendArray(&source, pictures[i].id, gifs[i]);
    source += "const platform::Resource kTable[] = {\n";
    for (const Picture& p : pictures) {
        std::string name = "kGif" + std::to_string(p.id);
        source += "    {" + std::to_string(p.id) + ", " + name + ", sizeof " + name + "},\n";
    }
    source +=
        "};\n\n}  // namespace\n\nconst platform::Resource* embeddedResources(size_t* count) "
        "{\n    *count = sizeof kTable / sizeof kTable[0];\n    return kTable;\n}\n";
    return source;
}

bool writeAll(const Options& options, const std::vector<Picture>& pictures, std::string* error) {
    std::vector<std::vector<uint8_t>> gifs(pictures.size());
    platform::makeDirectories(options.out);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Picture& p = pictures[i];
        std::string base = platform::joinPath(options.out, p.name);
        if (!assets::encodeGif(p.canvas, &gifs[i], error) ||
            !platform::writeFileAtomic(base + ".gif", gifs[i].data(), gifs[i].size(), error))
            return false;
        if (options.png && !platform::writePng565(base + ".png", to565(p.canvas).data(),
                                                  p.canvas.width, p.canvas.height, error))
            return false;
    }
    if (options.source.empty() || !options.places.empty()) return true;
    std::string source = embeddedSource(pictures, gifs);
    return platform::writeFileAtomic(options.source, source.data(), source.size(), error);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    int code = parseArguments(argc, argv, &options);
    if (code >= 0) return code;
    std::vector<Picture> pictures;
    std::string error;
    bool done = false;
    if (!options.icons.empty())
        done = drawIcons(options, &error);
    else if (!options.places.empty())
        done = drawPlaces(options, &pictures, &error) && writeAll(options, pictures, &error);
    else
        done = drawAll(options, &pictures, &error) && writeAll(options, pictures, &error);
    if (!done) {
        std::fprintf(stderr, "mundora-assets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
