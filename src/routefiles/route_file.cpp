// Route and place files read with pugixml: the root's colour and line style, then each
// "point" child with its position, label and picture. A file is refused whole with a reason
// naming its line; a picture that cannot serve is skipped and its point keeps the marker.
// pugixml counts positions in bytes of its UTF-8 copy of the text, so lines of files in other
// encodings are found by walking the original at the width each character takes in UTF-8.
#include "routefiles/route_file.h"

#include <locale.h>
#include <stdlib.h>
#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <pugixml.hpp>
#include <span>
#include <vector>

#include "geo/place_lists.h"
#include "geo/route_place.h"
#include "geo/text16.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "raster/back_buffer.h"
#include "raster/image_buffer.h"

namespace routes {
namespace {

struct NamedValue {
    const char* name;
    int32_t value;
};

// Any other colour name gives white.
constexpr NamedValue kColors[] = {
    {"black", 0x0000}, {"blue", 0x001F},   {"brown", 0xA145},  {"cyan", 0x07FF}, {"green", 0x07E0},
    {"red", 0xF800},   {"yellow", 0xFFE0}, {"silver", 0xC618}, {"gold", 0xFEA0},
};
// Any other style name keeps the style in force.
constexpr NamedValue kStyles[] = {
    {"solid", kLineSolid}, {"dot", kLineDot}, {"dash", kLineDash}, {"none", kLineNone}};

constexpr char kTooLarge[] = "the file is over 4 MiB";
constexpr char kNotAGif[] = "not a readable GIF picture";

// Comments and processing instructions are child nodes of the root, as in any XML document
// object: a root holding only a comment still needs its colour. Parsed as a fragment so that
// text beside the root is kept, and refused, rather than dropped.
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_fragment;

int32_t lookUp(std::span<const NamedValue> table, const char* name, int32_t fallback) {
    for (const NamedValue& entry : table)
        if (strcasecmp(entry.name, name) == 0) return entry.value;
    return fallback;
}

size_t utf8Length(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

// The character at `p` in the file's `encoding` and the bytes it takes there (0 at a cut
// end). UTF-8 is taken byte by byte, which is how the parser counts it too.
size_t readCharacter(const uint8_t* p, size_t left, pugi::xml_encoding encoding, char32_t* c) {
    const bool big = encoding == pugi::encoding_utf16_be || encoding == pugi::encoding_utf32_be;
    auto unit16 = [&](size_t k) -> char32_t {
        return big ? (p[k] << 8 | p[k + 1]) : (p[k] | p[k + 1] << 8);
    };
    switch (encoding) {
        case pugi::encoding_utf16:
        case pugi::encoding_utf16_le:
        case pugi::encoding_utf16_be:
            if (left < 2) return 0;
            *c = unit16(0);
            if (*c >= 0xD800 && *c < 0xDC00 && left >= 4 && (unit16(2) & 0xFC00) == 0xDC00) {
                *c = 0x10000;  // any character past U+FFFF: four bytes in UTF-8
                return 4;
            }
            return 2;
        case pugi::encoding_wchar:
        case pugi::encoding_utf32:
        case pugi::encoding_utf32_le:
        case pugi::encoding_utf32_be:
            if (left < 4) return 0;
            *c = big ? char32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]
                     : char32_t(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0];
            return 4;
        default:
            *c = p[0];
            return 1;
    }
}

struct Reader {
    const uint8_t* data;
    size_t size;
    pugi::xml_encoding encoding;
    std::string* reason;

    // The line (from 1) of the parser's position `offset`; CR LF, CR and LF each end a line.
    int lineAt(ptrdiff_t offset) const {
        int line = 1;
        size_t passed = 0;  // bytes of the parser's UTF-8 copy before data[i]
        char32_t last = 0;
        for (size_t i = 0; i < size && offset >= 0 && passed < size_t(offset);) {
            char32_t c = 0;
            const size_t bytes = readCharacter(data + i, size - i, encoding, &c);
            if (bytes == 0) break;
            if (c == '\r' || (c == '\n' && last != '\r')) ++line;
            last = c;
            i += bytes;
            passed += encoding == pugi::encoding_utf8 ? 1 : utf8Length(c);
        }
        return line;
    }
    bool fail(ptrdiff_t offset, const std::string& fault) const {
        if (reason) *reason = "line " + std::to_string(lineAt(offset)) + ": " + fault;
        return false;
    }
    bool fail(pugi::xml_node node, const std::string& fault) const {
        return fail(node.offset_debug(), fault);
    }
};

// The one element at the top of the document; null (and the reason given) when there is
// none, or text or a second element stands beside it, which the parser lets through.
pugi::xml_node findRoot(const Reader& r, const pugi::xml_document& doc) {
    pugi::xml_node root;
    for (pugi::xml_node n : doc.children()) {
        const pugi::xml_node_type type = n.type();
        if (type == pugi::node_element && root) {
            r.fail(n, "not well formed (a second root element)");
            return {};
        }
        if (type == pugi::node_pcdata || type == pugi::node_cdata) {
            r.fail(n, "not well formed (text outside the root element)");
            return {};
        }
        if (type == pugi::node_element) root = n;
    }
    if (!root) r.fail(PTRDIFF_MAX, "not well formed (no root element)");
    return root;
}

// `text` without the blanks at either end.
std::string trimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
}

// The text of `node` and of everything under it, in document order, without the blanks at
// either end: the label of a point.
std::string nodeText(pugi::xml_node node) {
    std::string text;
    pugi::xml_node n = node.first_child();
    while (n) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) text += n.value();
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n != node && !n.next_sibling()) n = n.parent();
        if (n == node) break;
        n = n.next_sibling();
    }
    return trimBlanks(text);
}

// The number `text` is wholly, read as strtod reads it in the "C" locale, whatever locale
// the program runs in; false when it is not wholly a decimal number (strtod alone would
// read "10,5" as 10, "20abc" as 20, and take "nan", "inf" and hexadecimal too).
bool decimalNumber(const std::string& text, double* value) {
    size_t i = 0;
    const auto sign = [&] { i += i < text.size() && (text[i] == '+' || text[i] == '-'); };
    const auto digits = [&] {
        const size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i - from;
    };
    sign();
    size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        sign();
        if (digits() == 0) return false;
    }
    if (i != text.size()) return false;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    *value =
        cLocale ? strtod_l(text.c_str(), nullptr, cLocale) : std::strtod(text.c_str(), nullptr);
    return true;
}

// At most 24 bytes of `text`, cut before a whole UTF-8 character, for a fault's wording.
std::string shortened(const std::string& text) {
    if (text.size() <= 24) return text;
    size_t end = 24;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end) + "...";
}

// Attribute `name` of `point` in arc minutes, degrees × 60 truncated toward zero (0 when
// absent); false when it is not wholly a number or lies beyond ±`limit` degrees.
bool readDegrees(const Reader& r, pugi::xml_node point, const char* name, double limit,
                 int16_t* minutes) {
    const pugi::xml_attribute attribute = point.attribute(name);
    if (!attribute) return true;
    const std::string text = trimBlanks(attribute.value());
    double degrees = 0;
    if (!decimalNumber(text, &degrees))
        return r.fail(point, std::string(name) + " \"" + shortened(text) + "\" is not a number");
    if (!(std::fabs(degrees) <= limit)) {
        char fault[96];
        std::snprintf(fault, sizeof fault, "%s %.10g is outside -%g .. %g degrees", name, degrees,
                      limit, limit);
        return r.fail(point, fault);
    }
    *minutes = static_cast<int16_t>(degrees * 60);
    return true;
}

// A picture offset: leading digits as atol reads them, kept within ±kMaxPictureOffset.
int32_t readOffset(pugi::xml_node point, const char* name) {
    const long value = std::strtol(point.attribute(name).value(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long>(value, -kMaxPictureOffset, kMaxPictureOffset));
}

// Where `name` leads when it is no plain way down into the folder: empty when it is.
const char* leavesFolder(const std::string& name) {
    if (name.front() == '/') return "an absolute path, not one inside routes/";
    for (size_t start = 0; start <= name.size();) {
        const size_t end = std::min(name.find('/', start), name.size());
        if (name.compare(start, end - start, "..") == 0) return "leads out of routes/ with \"..\"";
        start = end + 1;
    }
    return "";
}

// The real path of `name` inside `folder`; empty, with `fault` saying why, when the name is
// empty or absolute, climbs with "..", does not exist, or leads out of the folder through a
// symbolic link.
std::string pathInside(const std::string& folder, const std::string& name, std::string* fault) {
    *fault = name.empty() ? "no file name" : leavesFolder(name);
    if (!fault->empty()) return "";
    std::error_code error;
    const std::string real = std::filesystem::canonical(platform::joinPath(folder, name), error);
    if (error) {
        *fault = error.message();
        return "";
    }
    const std::string base = std::filesystem::canonical(folder, error).string() + "/";
    if (error || real.compare(0, base.size(), base) != 0) {
        *fault = "leads out of routes/ through a symbolic link";
        return "";
    }
    return real;
}

// Why the picture at `path` (already inside the folder) cannot serve, or empty: not a regular
// file, not a readable GIF, larger than the screen, or more than `pixelsLeft` pixels.
std::string pictureFault(const std::string& path, const ImageBuffer& picture, int64_t pixelsLeft) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) return error.message();
    if (!std::filesystem::is_regular_file(status))
        return platform::fileErrorText(std::filesystem::is_directory(status) ? EISDIR : EINVAL);
    const int64_t width = picture.width(), height = picture.height();
    if (width <= 0 || height <= 0) return kNotAGif;
    if (width > gDisplay.width || height > gDisplay.height)
        return std::to_string(width) + " x " + std::to_string(height) +
               " pixels, larger than the screen";
    if (width * height > pixelsLeft)
        return "past the " + std::to_string(kMaxRoutePicturePixels) +
               " pixels of pictures one file may have";
    return "";
}

// The picture `img` names, decoded with its pixels; null, with `fault` saying why, when it
// cannot serve (see pathInside and pictureFault). A decode is charged to `*pixels` even when
// it fails, which bounds the work a file can cause. Files made on the handheld separate
// folders with backslashes.
std::unique_ptr<ImageBuffer> loadPicture(const std::string& folder, std::string img,
                                         int64_t* pixels, std::string* fault) {
    std::replace(img.begin(), img.end(), '\\', '/');
    const std::string path = pathInside(folder, img, fault);
    if (path.empty()) return nullptr;
    std::unique_ptr<ImageBuffer> picture(new (std::nothrow) ImageBuffer(path));
    *fault = picture ? pictureFault(path, *picture, *pixels) : "out of memory";
    if (!fault->empty()) return nullptr;
    *pixels -= int64_t{picture->width()} * picture->height();
    if (picture->load(nullptr, true)) return picture;
    *fault = kNotAGif;
    return nullptr;
}

// One "point" element as a route place appended to `set`.
bool readPoint(const Reader& r, pugi::xml_node point, const std::string& folder, int64_t* pixels,
               RouteSet* set) {
    std::unique_ptr<geo::RoutePlace> place(new (std::nothrow) geo::RoutePlace());
    if (!place) return r.fail(point, "out of memory");
    const std::string text = nodeText(point);
    place->setName(geo::fromUtf8(text));
    if (!readDegrees(r, point, "lat", 90, &place->latitude) ||
        !readDegrees(r, point, "lon", 180, &place->longitude))
        return false;
    const pugi::xml_attribute img = point.attribute("img");
    if (img) {
        std::string fault;
        place->picture = loadPicture(folder, img.value(), pixels, &fault);
        if (place->picture) {
            place->kind &= ~geo::kPlaceMarker;  // the picture stands in for the marker
            place->imgX = readOffset(point, "imgx");
            place->imgY = readOffset(point, "imgy");
        } else {
            set->skippedPictures.push_back({img.value(), fault});
        }
    } else if (text.empty()) {
        place->kind = 0;  // draws nothing, yet the line passes through it
    }
    if (!set->places.addTail(static_cast<geo::Place*>(place.get())))
        return r.fail(point, "out of memory");
    place.release();
    return true;
}

bool isPoint(pugi::xml_node node) {
    return node.type() == pugi::node_element && std::strcmp(node.name(), "point") == 0;
}

bool readDocument(const uint8_t* data, size_t size, const std::string& folder, RouteSet* set,
                  std::string* reason) {
    if (size > kMaxRouteFileBytes) {
        if (reason) *reason = kTooLarge;
        return false;
    }
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(data, size, kParseOptions);
    const Reader r{data, size, parsed.encoding, reason};
    if (!parsed)
        return r.fail(parsed.offset, std::string("not well formed (") + parsed.description() + ")");
    const pugi::xml_node root = findRoot(r, doc);
    if (!root) return false;
    if (!root.first_child()) return true;  // read: no points, colour and style kept
    const pugi::xml_attribute color = root.attribute("color");
    if (!color) return r.fail(root, "the root element has children but no color");
    int count = 0;
    for (pugi::xml_node n : root.children())
        if (isPoint(n) && ++count > kMaxRoutePoints)
            return r.fail(n, "more than " + std::to_string(kMaxRoutePoints) + " points");
    set->color = static_cast<uint16_t>(lookUp(kColors, color.value(), 0xFFFF));
    if (const pugi::xml_attribute line = root.attribute("line"))
        set->lineStyle = lookUp(kStyles, line.value(), set->lineStyle);
    int64_t pixels = kMaxRoutePicturePixels;
    for (pugi::xml_node n : root.children())
        if (isPoint(n) && !readPoint(r, n, folder, &pixels, set)) return false;
    return true;
}

// Why readFile refused a route file.
std::string fileFault(int error) {
    if (error == EFBIG) return kTooLarge;
    if (error == EINVAL) return "not a regular file";
    return std::strerror(error);
}

}  // namespace

std::string routesFolder() {
    return platform::homeFile("routes");
}

bool readRouteText(const uint8_t* data, size_t size, const std::string& folder, RouteSet* set,
                   std::string* reason) {
    const uint16_t color = set->color;
    const int32_t style = set->lineStyle;
    if (readDocument(data, size, folder, set, reason)) return true;
    geo::deletePlaces(&set->places);
    set->skippedPictures.clear();
    set->color = color;
    set->lineStyle = style;
    return false;
}

bool loadRouteFile(const std::string& name, std::string* reason) {
    if (name.empty()) {
        if (reason) *reason = "no file name";
        return false;
    }
    gRouteSet.clear();
    if (name.find('/') != std::string::npos || name == "." || name == "..") {
        if (reason) *reason = "not a plain file name";
        return false;
    }
    // A link out of routes/ is refused as a picture's is.
    std::string fault;
    const std::string path = pathInside(routesFolder(), name, &fault);
    if (path.empty()) {
        if (reason) *reason = fault;
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!platform::readFile(path, &bytes, kMaxRouteFileBytes)) {
        if (reason) *reason = fileFault(errno);
        return false;
    }
    if (!readRouteText(bytes.data(), bytes.size(), routesFolder(), &gRouteSet, reason))
        return false;
    gRouteSet.fileName = name;
    return true;
}

}  // namespace routes
