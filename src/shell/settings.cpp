// settings.ini: one table names every stored value with its section, kind and accepted range;
// the reader files each line under its table entry (the last line wins) and then applies
// the entries in table order, so "Use Overlay Map" under Maps always beats Flags bit 6
// whatever order a hand-edited file has. The writer walks the same table. A file name the
// reader refuses is named on standard error and written back as it stood until replaced;
// a file with lines the reader does not understand is kept beside the new one.
#include "shell/settings.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "geo/city_file.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "routefiles/route_set.h"
#include "toolkit/command_panel.h"
#include "view/view_state.h"

namespace {

enum class Kind {
    Flags,        // the 25 toggles as bits
    Number,       // a signed value in min .. max
    ViewNumber,   // the same, in the last view
    Toggle,       // 0 or 1
    Color,        // the low 16 bits
    FileName,     // a quoted string naming a file in a folder
    Pair,         // two sign-extended 16-bit halves of the last view
    Twilight,     // ±1028, ±1029, ±1030
    StampHeader,  // the selection's city file: its 16 header bytes, quoted
    StampSize,    // the selection's city file: its size in bytes
};

struct Setting {
    const char* section;
    const char* name;
    Kind kind;
    int32_t Options::*number = nullptr;
    bool Options::*toggle = nullptr;
    uint16_t Options::*color = nullptr;
    std::string Options::*text = nullptr;
    int32_t LastView::*low = nullptr;   // ViewNumber's field, or the pair's low half
    int32_t LastView::*high = nullptr;  // the pair's high half
    int32_t min = 0, max = 0;           // Number, ViewNumber
};

// Flags bit n is kFlagBits[n]; bit 2 (the planar view) is the last view's and is null here.
constexpr bool Options::*kFlagBits[25] = {
    &Options::latLonGrid,           // bit 0
    &Options::showDayNight,         // bit 1
    nullptr,                        // bit 2
    &Options::panRotate,            // bit 3
    &Options::computeDistance,      // bit 4
    &Options::showSelectedCities,   // bit 5
    &Options::useOverlayMap,        // bit 6
    &Options::textureSmoothing,     // bit 7
    &Options::antipodes,            // bit 8
    &Options::sunSpot,              // bit 9
    &Options::countryAtSnap,        // bit 10
    &Options::snapToKnown,          // bit 11
    &Options::tropicPolarCircles,   // bit 12
    &Options::showSelectedFiles,    // bit 13
    &Options::showAllCountries,     // bit 14
    &Options::showLatLon,           // bit 15
    &Options::cityTime,             // bit 16
    &Options::cityDate,             // bit 17
    &Options::cityDstEvent,         // bit 18
    &Options::sunriseSunset,        // bit 19
    &Options::sunAzimuthElevation,  // bit 20
    &Options::rotateGlobe,          // bit 21
    &Options::autoShadowUpdate,     // bit 22
    &Options::snapToDisplayed,      // bit 23
    &Options::animatedRotation,     // bit 24
};
constexpr int kPlanarBit = 2;

Setting number(const char* section, const char* name, int32_t Options::*field, int32_t min,
               int32_t max) {
    return Setting{section, name,    Kind::Number, field, nullptr, nullptr,
                   nullptr, nullptr, nullptr,      min,   max};
}
Setting color(const char* name, uint16_t Options::*field) {
    return Setting{"Colors", name, Kind::Color, nullptr, nullptr, field};
}

// The radius divides the picking arithmetic and is squared in 32 bits: 1 .. 16384 pixels.
const std::vector<Setting>& settingsTable() {
    static const std::vector<Setting> table = {
        {"General", "Flags", Kind::Flags},
        {"General", "Last Zoom Radius", Kind::ViewNumber, nullptr, nullptr, nullptr, nullptr,
         &LastView::radius, nullptr, 1, 16384},
        {"General", "Last LatLon", Kind::Pair, nullptr, nullptr, nullptr, nullptr,
         &LastView::lonAngle, &LastView::latAngle},
        {"General", "Last Flat Mode Height", Kind::ViewNumber, nullptr, nullptr, nullptr, nullptr,
         &LastView::planarHeight, nullptr, -1, 32767},
        {"General", "Last Flat Mode XY", Kind::Pair, nullptr, nullptr, nullptr, nullptr,
         &LastView::offsetX, &LastView::offsetY},
        number("General", "Grid Step", &Options::gridStep, kGrid10, kGrid30),
        number("General", "Distance Units", &Options::distanceUnits, kUnitsKm, kUnitsNautical),
        number("General", "Time Format", &Options::timeFormat, kTime12, kTimeHhmm),
        number("General", "Snap Radius", &Options::snapRadius, 1, 200),
        number("General", "Rotation Speed", &Options::rotationSpeed, 1, 100),
        number("General", "Animation Speed", &Options::animationSpeed, 1, 100),
        {"Maps", "Main Map File", Kind::FileName, nullptr, nullptr, nullptr, &Options::mainMapFile},
        {"Maps", "Overlay Map File", Kind::FileName, nullptr, nullptr, nullptr,
         &Options::overlayMapFile},
        {"Maps", "Use Overlay Map", Kind::Toggle, nullptr, &Options::useOverlayMap},
        number("Maps", "Overlay Operation", &Options::overlayOperation, kOverlayUnion,
               kOverlayDayNight),
        number("Advanced", "Spherical Arc Smoothing", &Options::sphericalArcSmoothing, 1, 50),
        number("Advanced", "Planar Arc Smoothing", &Options::planarArcSmoothing, 1, 50),
        number("Advanced", "Earth Shadow Darkness", &Options::shadowDarkness, 0, 100),
        number("Advanced", "Earth Shadow Specularity", &Options::shadowSpecularity, 0, 100),
        number("Advanced", "Texture Brightness", &Options::textureBrightness, 0, 100),
        number("Advanced", "Shadow Update Interval", &Options::shadowUpdateInterval, 1, 20),
        {"Advanced", "Twilight Type", Kind::Twilight, &Options::twilightType},
        color("Background Color", &Options::backgroundColor),
        color("Distance Arc Color", &Options::distanceArcColor),
        color("Grid Color", &Options::gridColor),
        color("Equator Color", &Options::equatorColor),
        color("Tropic Color", &Options::tropicColor),
        color("Arctic Color", &Options::arcticColor),
        color("Displayed City Color", &Options::displayedCityColor),
        color("Snapped City Color", &Options::snappedCityColor),
        color("Displayed Country Color", &Options::displayedCountryColor),
        {"Route", "RouteFileName", Kind::FileName, nullptr, nullptr, nullptr,
         &Options::routeFileName},
        {"Selection", "City File Header", Kind::StampHeader},
        {"Selection", "City File Size", Kind::StampSize},
    };
    return table;
}

// ---- Reading ----

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool equalsIgnoringCase(std::string_view a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// A stored 32-bit value written in decimal, signed or unsigned: −2147483648 .. 4294967295.
std::optional<uint32_t> parseDword(std::string_view s) {
    bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
    if (s.empty() || s.size() > 10) return std::nullopt;
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (negative) v = -v;
    if (v < INT32_MIN || v > int64_t{UINT32_MAX}) return std::nullopt;
    return static_cast<uint32_t>(v);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A quoted string with \\, \" and \xHH escapes; unquoted text is taken as it stands.
std::optional<std::string> parseText(std::string_view s) {
    if (s.empty() || s.front() != '"') return std::string(s);
    std::string out;
    size_t i = 1;
    for (; i < s.size() && s[i] != '"'; ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i >= s.size()) return std::nullopt;
        if (s[i] == '\\' || s[i] == '"') {
            out += s[i];
        } else if (s[i] == 'x' && i + 2 < s.size() && hexDigit(s[i + 1]) >= 0 &&
                   hexDigit(s[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(s[i + 1]) * 16 + hexDigit(s[i + 2]));
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    if (i + 1 != s.size()) return std::nullopt;  // unterminated, or text after the quote
    return out;
}

// Why `name` is no plain name of a file inside a folder (a separator, a NUL, "." or "..",
// too long), or empty when it is one.
const char* fileNameFault(const std::string& name) {
    if (name.empty()) return "no name";
    if (name.size() > kMaxFileNameBytes) return "longer than 255 bytes";
    if (name.find('/') != std::string::npos) return "not a plain file name (it holds a \"/\")";
    if (name.find('\0') != std::string::npos) return "it holds a NUL byte";
    if (name == "." || name == "..") return "not a plain file name";
    return "";
}

bool usableFileName(const std::string& name) {
    return *fileNameFault(name) == 0;
}

// Each sign is compared on its own side: the stored value may be −2147483648, which has no
// positive counterpart to take a magnitude from.
bool applyTwilight(int32_t value, int32_t* field) {
    const bool distinct = value >= kTwilightCivil && value <= kTwilightAstro;
    const bool smooth = value >= -kTwilightAstro && value <= -kTwilightCivil;
    if (!distinct && !smooth) return false;
    *field = value;
    return true;
}

void applyFlags(uint32_t flags, Options* options) {
    for (int bit = 0; bit < 25; ++bit) {
        bool on = (flags >> bit) & 1;
        if (bit == kPlanarBit)
            options->lastView.planar = on;
        else
            options->*kFlagBits[bit] = on;
    }
}

bool applyNumber(const Setting& s, uint32_t dword, Options* options) {
    int32_t value = static_cast<int32_t>(dword);
    switch (s.kind) {
        case Kind::Flags:
            applyFlags(dword, options);
            return true;
        case Kind::Number:
            if (value < s.min || value > s.max) return false;
            options->*s.number = value;
            return true;
        case Kind::ViewNumber:
            if (value < s.min || value > s.max) return false;
            options->lastView.*s.low = value;
            return true;
        case Kind::Toggle:
            if (dword > 1) return false;
            options->*s.toggle = dword == 1;
            return true;
        case Kind::Color:
            options->*s.color = static_cast<uint16_t>(dword & 0xFFFF);
            return true;
        case Kind::Pair:
            options->lastView.*s.low = static_cast<int16_t>(dword & 0xFFFF);
            options->lastView.*s.high = static_cast<int16_t>(dword >> 16);
            return true;
        case Kind::Twilight:
            return applyTwilight(value, &(options->*s.number));
        case Kind::StampSize:
            options->selectionCityFile.size = dword;
            return true;
        case Kind::FileName:
        case Kind::StampHeader:
            return false;
    }
    return false;
}

// A stored file name, or why it cannot be used; an empty value names nothing and says nothing.
bool applyFileName(const Setting& s, std::string_view value, Options* options,
                   std::vector<RefusedValue>* refused) {
    std::optional<std::string> text = parseText(value);
    const char* fault = !text ? "a stray quote or backslash" : fileNameFault(*text);
    if (*fault == 0) {
        options->*s.text = *text;
        return true;
    }
    if (refused && !value.empty() && !(text && text->empty()))
        refused->push_back(RefusedValue{s.name, std::string(value), fault});
    return false;
}

bool applyValue(const Setting& s, std::string_view value, Options* options,
                std::vector<RefusedValue>* refused) {
    if (s.kind == Kind::FileName) return applyFileName(s, value, options, refused);
    if (s.kind == Kind::StampHeader) {
        std::optional<std::string> text = parseText(value);
        if (!text || text->size() != geo::kHeaderBytes) return false;
        options->selectionCityFile.header = *text;
        return true;
    }
    std::optional<uint32_t> dword = parseDword(value);
    return dword && applyNumber(s, *dword, options);
}

bool withoutControlBytes(std::string_view name) {
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

// Whether a known setting's value would be used: file names are refused on their own terms
// (named, and kept as they stand) and are not checked here.
bool understood(const Setting& s, std::string_view value) {
    Options scratch;
    return s.kind == Kind::FileName || applyValue(s, value, &scratch, nullptr);
}

int findSetting(std::string_view section, std::string_view name) {
    const std::vector<Setting>& table = settingsTable();
    for (size_t i = 0; i < table.size(); ++i)
        if (equalsIgnoringCase(section, table[i].section) &&
            equalsIgnoringCase(name, table[i].name))
            return static_cast<int>(i);
    return -1;
}

// ---- Writing ----

std::string quoteText(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

uint32_t assembleFlags(const Options& options) {
    uint32_t flags = 0;
    for (int bit = 0; bit < 25; ++bit) {
        bool on = bit == kPlanarBit ? options.lastView.planar : options.*kFlagBits[bit];
        if (on) flags |= 1u << bit;
    }
    return flags;
}

uint32_t packPair(int32_t low, int32_t high) {
    return (static_cast<uint32_t>(high) << 16) | (static_cast<uint32_t>(low) & 0xFFFF);
}

std::string formatValue(const Setting& s, const Options& options) {
    switch (s.kind) {
        case Kind::Flags:
            return std::to_string(assembleFlags(options));
        case Kind::Number:
        case Kind::Twilight:
            return std::to_string(options.*s.number);
        case Kind::ViewNumber:
            return std::to_string(options.lastView.*s.low);
        case Kind::Toggle:
            return options.*s.toggle ? "1" : "0";
        case Kind::Color:
            return std::to_string(options.*s.color);
        case Kind::Pair:
            return std::to_string(packPair(options.lastView.*s.low, options.lastView.*s.high));
        case Kind::FileName:
            return quoteText(options.*s.text);
        case Kind::StampHeader:
            return quoteText(options.selectionCityFile.header);
        case Kind::StampSize:
            return std::to_string(options.selectionCityFile.size);
    }
    return "";
}

// File names refused at the last load, written back as they stood while nothing replaced
// them: the program never destroys a setting it did not replace.
std::vector<RefusedValue> gRefused;

// The file as read at load when it held lines not understood (else empty): the first save
// keeps it as settings.ini.bad before writing over settings.ini, so that a hand edit gone
// wrong is never lost.
std::vector<uint8_t> gUnreadFile;

// The lines not understood, one message line each (the first few only, cut short), then
// where the file will be kept.
void reportUnread(const std::string& path, const std::vector<UnreadLine>& unread) {
    constexpr size_t kShown = 5, kLongest = 60;
    for (size_t i = 0; i < unread.size() && i < kShown; ++i) {
        const std::string& line = unread[i].text;
        const std::string shown = line.size() > kLongest ? line.substr(0, kLongest) + "..." : line;
        std::fprintf(stderr,
                     "mundora: settings file %s line %d: '%s' is not understood; left out\n",
                     path.c_str(), unread[i].number, platform::printable(shown).c_str());
    }
    if (unread.size() > kShown)
        std::fprintf(stderr, "mundora: settings file %s: and %zu more lines not understood\n",
                     path.c_str(), unread.size() - kShown);
    std::fprintf(stderr, "mundora: settings file %s is kept as settings.ini.bad when saved over\n",
                 path.c_str());
}

// Writes the file read at load to settings.ini.bad, once, when it held lines not understood.
bool keepUnreadFile(const std::string& path, std::string* error) {
    if (gUnreadFile.empty()) return true;
    if (!platform::writeFileAtomic(path + ".bad", gUnreadFile.data(), gUnreadFile.size(), error))
        return false;
    gUnreadFile.clear();
    return true;
}

void copyLastViewToView(const LastView& v) {
    gView.planar = v.planar;
    gView.lonAngle = v.lonAngle;
    gView.latAngle = v.latAngle;
    gView.radius = v.radius;
    gView.planarHeight = v.planarHeight;
    gView.offsetX = v.offsetX;
    gView.offsetY = v.offsetY;
}

LastView lastViewFromView() {
    return LastView{gView.planar,       gView.lonAngle, gView.latAngle, gView.radius,
                    gView.planarHeight, gView.offsetX,  gView.offsetY};
}

}  // namespace

int parseSettings(const uint8_t* data, size_t size, Options* options,
                  std::vector<RefusedValue>* refused, std::vector<UnreadLine>* unread) {
    const std::vector<Setting>& table = settingsTable();
    std::vector<std::string_view> found(table.size());
    std::vector<bool> present(table.size(), false);
    std::string_view text(reinterpret_cast<const char*>(data), data ? size : 0);
    std::string_view section;
    auto notUnderstood = [&](int number, std::string_view line) {
        if (unread) unread->push_back(UnreadLine{number, std::string(line)});
    };
    for (int number = 1; !text.empty(); ++number) {
        size_t end = text.find('\n');
        std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            section = line.back() == ']' ? trim(line.substr(1, line.size() - 2)) : "";
            if (line.back() != ']') notUnderstood(number, line);
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            notUnderstood(number, line);
            continue;
        }
        const std::string_view name = trim(line.substr(0, eq));
        int index = findSetting(section, name);
        // An unknown name may be a setting of another version; one with control bytes is not.
        if (index < 0 && withoutControlBytes(name)) continue;
        if (index < 0) {
            notUnderstood(number, line);
            continue;
        }
        found[index] = trim(line.substr(eq + 1));
        present[index] = true;
        if (!understood(table[index], found[index])) notUnderstood(number, line);
    }
    int used = 0;
    for (size_t i = 0; i < table.size(); ++i)
        if (present[i] && applyValue(table[i], found[i], options, refused)) ++used;
    return used;
}

std::string formatSettings(const Options& options, const std::string& routeFileName,
                           const std::vector<RefusedValue>& kept) {
    Options written = options;
    written.routeFileName = routeFileName;
    const Options defaults;
    std::string out = "; Mundora settings: options and the last view.\n";
    const char* section = "";
    for (const Setting& s : settingsTable()) {
        const RefusedValue* stored = nullptr;
        for (const RefusedValue& k : kept)
            if (s.kind == Kind::FileName && std::strcmp(k.name, s.name) == 0 &&
                written.*s.text == defaults.*s.text)
                stored = &k;
        if (!stored && s.text == &Options::routeFileName && !usableFileName(routeFileName))
            continue;
        const bool stamp = s.kind == Kind::StampHeader || s.kind == Kind::StampSize;
        if (stamp && written.selectionCityFile == CityFileStamp{}) continue;
        if (std::strcmp(section, s.section) != 0) {
            section = s.section;
            out += std::string("\n[") + section + "]\n";
        }
        out += std::string(s.name) + "=" + (stored ? stored->text : formatValue(s, written)) + "\n";
    }
    return out;
}

bool loadSettings() {
    gOptions = Options{};
    gRefused.clear();
    std::vector<uint8_t> bytes;
    std::vector<UnreadLine> unread;
    const std::string path = platform::stateFile("settings.ini");
    bool read = platform::readFile(path, &bytes, kMaxSettingsBytes);
    if (read) parseSettings(bytes.data(), bytes.size(), &gOptions, &gRefused, &unread);
    for (const RefusedValue& r : gRefused)
        std::fprintf(stderr, "mundora: settings file %s: %s=%s not used: %s; kept as it is\n",
                     path.c_str(), r.name, platform::printable(r.text).c_str(), r.reason);
    gUnreadFile.clear();
    if (!unread.empty()) {
        reportUnread(path, unread);
        gUnreadFile = std::move(bytes);
    }
    copyLastViewToView(gOptions.lastView);
    panelSetChecked(2001, gOptions.latLonGrid);
    panelSetChecked(2002, gOptions.showDayNight);
    panelSetChecked(2006, !gOptions.lastView.planar);
    panelSetChecked(2005, gOptions.panRotate);
    panelSetChecked(2004, gOptions.computeDistance);
    panelSetChecked(2007, gOptions.showSelectedCities);
    return read;
}

bool saveSettings(std::string* error) {
    gOptions.lastView = lastViewFromView();
    const std::string& open = routes::gRouteSet.fileName;
    const std::string& route = open.empty() ? gOptions.routeFileName : open;
    std::string text = formatSettings(gOptions, route, gRefused);
    const std::string path = platform::stateFile("settings.ini");
    return keepUnreadFile(path, error) &&
           platform::writeFileAtomic(path, text.data(), text.size(), error);
}
