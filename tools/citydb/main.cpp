// mundora-citydb: builds cities.bin from the GeoNames city table, the ISO 3166 country list
// (names written in ASCII, as the city names are) and the time-zone rules of the system's
// zoneinfo. Bad rows are counted and reported by reason; zones whose rules the
// daylight-saving words cannot hold exactly are listed with what was stored, and zones whose
// real changes the words miss are named with their cities. Rows that are not towns in their
// own right are left out. It writes the file atomically and never edits one in place.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "geo/city_file.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "posix_tz.h"
#include "whole_number.h"
#include "zone_check.h"

namespace {

struct Options {
    std::string cities, output;
    std::string iso3166 = "/usr/share/zoneinfo/iso3166.tab";
    std::string zoneinfo = "/usr/share/zoneinfo";
    std::string header;
    long minPopulation = 15000;
    int firstYear = 0, lastYear = 0;  // UTC years over which the zones are checked
};

// GeoNames feature codes of rows that are not towns in their own right.
const std::map<std::string, const char*> kLeftOutCodes = {
    {"PPLX", "section of a populated place"},
    {"PPLH", "historical populated place"},
    {"PPLQ", "abandoned populated place"},
    {"PPLW", "destroyed populated place"},
};

struct Country {
    std::string code, name;               // name in ASCII
    int16_t latitude = 0, longitude = 0;  // arc minutes, of the label
    long labelPopulation = -1;
    bool labelIsCapital = false;
};

struct City {
    long id = 0, population = 0;
    std::string name, zone;
    int country = geo::kNoCountry;
    int16_t latitude = 0, longitude = 0;  // arc minutes
};

struct Zone {
    bool ok = false;
    std::string rule;
    citydb::ZoneWords words;
};

const char kUsage[] =
    "usage: mundora-citydb --cities cities500.txt --output cities.bin [options]\n"
    "Builds the city database from the GeoNames table (tab-separated, 19 columns).\n"
    "  --cities FILE          GeoNames cities500.txt\n"
    "  --output FILE          cities.bin to write (atomically)\n"
    "  --iso3166 FILE         country list (default /usr/share/zoneinfo/iso3166.tab)\n"
    "  --zoneinfo DIR         TZif zone files (default /usr/share/zoneinfo)\n"
    "  --min-population N     keep cities of at least N people (default 15000);\n"
    "                         capitals (PPLC) are always kept\n"
    "  --header TEXT          header text, at most 15 characters (default: source name and\n"
    "                         version from the package.json beside the table)\n"
    "  --check-years Y1-Y2    UTC years over which each zone's stored rule is compared\n"
    "                         with its real changes (default this year and the next four)\n"
    "  --help                 this text\n"
    "Exit 1 when nothing usable could be read or written, 2 for a bad command line.\n";

bool parseYears(const std::string& s, Options* o) {
    size_t dash = s.find('-');
    uint64_t first, last;
    if (dash == std::string::npos || !tools::wholeNumber(s.substr(0, dash), 2400, &first) ||
        !tools::wholeNumber(s.substr(dash + 1), 2400, &last) || first < 1900 || last < first ||
        last - first > 50)
        return false;
    o->firstYear = int(first);
    o->lastYear = int(last);
    return true;
}

// Empty when `header` fits the file's header with its terminating zero (it used to be cut
// there without a word), else what is wrong with it.
std::string headerProblem(const std::string& header) {
    constexpr size_t kLongest = geo::kHeaderBytes - 1;
    if (header.size() <= kLongest) return "";
    return "\"" + header + "\" is " + std::to_string(header.size()) +
           " characters, longer than the " + std::to_string(kLongest) + " the header holds";
}

// Empty when the command line is good, else what is wrong with which value.
std::string parseArgs(int argc, char** argv, Options* o) {
    o->firstYear = platform::utcFromMillis(platform::utcMillis()).year;
    o->lastYear = o->firstYear + 4;
    std::map<std::string, std::string*> texts = {
        {"--cities", &o->cities},     {"--output", &o->output}, {"--iso3166", &o->iso3166},
        {"--zoneinfo", &o->zoneinfo}, {"--header", &o->header},
    };
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        bool known = texts.count(a) || a == "--min-population" || a == "--check-years";
        if (!known) return "unknown option \"" + a + "\"";
        if (i + 1 >= argc) return a + " needs a value";
        std::string v = argv[++i];
        if (texts.count(a)) {
            *texts[a] = v;
        } else if (a == "--min-population") {
            uint64_t people;
            if (!tools::wholeNumber(v, 2000000000, &people)) {
                return a + ": \"" + v + "\" is not a number of people (0..2000000000)";
            }
            o->minPopulation = long(people);
        } else if (!parseYears(v, o)) {
            return a + ": \"" + v +
                   "\" is not two years FIRST-LAST in 1900..2400, at most 50 apart";
        }
    }
    if (o->cities.empty() || o->output.empty()) return "--cities and --output are both needed";
    const std::string bad = headerProblem(o->header);
    return bad.empty() ? "" : "--header: " + bad;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t begin = 0;
    for (;;) {
        size_t tab = line.find('\t', begin);
        fields.push_back(line.substr(begin, tab - begin));
        if (tab == std::string::npos) return fields;
        begin = tab + 1;
    }
}

bool parseDouble(const std::string& s, double* v) {
    char* end = nullptr;
    *v = std::strtod(s.c_str(), &end);
    return !s.empty() && *end == 0 && std::isfinite(*v);
}

bool parseLong(const std::string& s, long* v) {
    char* end = nullptr;
    *v = s.empty() ? 0 : std::strtol(s.c_str(), &end, 10);
    return s.empty() || (*end == 0 && *v >= 0);
}

bool printableAscii(const std::string& s) {
    for (unsigned char c : s) {
        if (c < 0x20 || c > 0x7E) return false;
    }
    return !s.empty();
}

// UTF-8 to UTF-16; false on a malformed sequence or a control character.
bool decodeUtf8(const std::string& s, std::u16string* out) {
    out->clear();
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : -1;
        if (extra < 0 || i + extra >= s.size() + (extra == 0)) return false;
        char32_t v = extra == 0 ? c : extra == 1 ? (c & 0x1F) : (c & 0x0F);
        for (int k = 1; k <= extra; ++k) {
            unsigned char d = s[i + k];
            if ((d & 0xC0) != 0x80) return false;
            v = (v << 6) | (d & 0x3F);
        }
        if (v < 0x20 || (v >= 0x7F && v < 0xA0)) return false;
        out->push_back(char16_t(v));
        i += extra + 1;
    }
    return !out->empty();
}

// The unaccented letters of U+00C0..U+017F, one per character: '*' marks those spelt with
// two (kTwoLetters), '-' the signs × and ÷, which are no letters.
constexpr char kBaseLetters[] =
    "AAAAAA*CEEEEIIIIDNOOOOO-OUUUUY**"   // U+00C0
    "aaaaaa*ceeeeiiiidnooooo-ouuuuy*y"   // U+00E0
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGg"   // U+0100
    "GgGgHhHhIiIiIiIiIi**JjKkkLlLlLlL"   // U+0120
    "lLlNnNnNn*NnOoOoOo**RrRrRrSsSsSs"   // U+0140
    "SsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";  // U+0160
const std::map<char16_t, const char*> kTwoLetters = {
    {u'\u00C6', "AE"}, {u'\u00DE', "Th"}, {u'\u00DF', "ss"}, {u'\u00E6', "ae"}, {u'\u00FE', "th"},
    {u'\u0132', "IJ"}, {u'\u0133', "ij"}, {u'\u0149', "'n"}, {u'\u0152', "OE"}, {u'\u0153', "oe"},
};

// `name` in ASCII, Latin letters without their accents (the city names are ASCII forms, and
// so are the names the font draws whole); false when a character has no ASCII form.
bool asciiForm(const std::u16string& name, std::string* out) {
    out->clear();
    constexpr char16_t kFirst = 0xC0, kEnd = kFirst + sizeof kBaseLetters - 1;
    for (char16_t c : name) {
        if (c < 0x80) {
            *out += char(c);
        } else if (kTwoLetters.count(c)) {
            *out += kTwoLetters.at(c);
        } else if (c >= kFirst && c < kEnd && kBaseLetters[c - kFirst] != '-') {
            *out += kBaseLetters[c - kFirst];
        } else {
            return false;
        }
    }
    return true;
}

bool readCountries(const std::string& path, std::vector<Country>* out, int* badRows) {
    platform::TextFile in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f = splitTabs(line);
        std::u16string name;
        std::string ascii;
        if (f.size() != 2 || f[0].size() != 2 || !decodeUtf8(f[1], &name) ||
            !asciiForm(name, &ascii) || ascii.size() >= geo::kCountryNameChars) {
            ++*badRows;
            continue;
        }
        if (ascii != f[1])
            std::printf("country %s \"%s\" written as \"%s\"\n", f[0].c_str(), f[1].c_str(),
                        ascii.c_str());
        out->push_back(Country{f[0], ascii});
    }
    return true;
}

// The package version from the package.json next to the table's dist/ folder, if any.
std::string defaultHeader(const std::string& citiesPath) {
    std::string dir = citiesPath.substr(0, citiesPath.find_last_of('/') + 1);
    platform::TextFile in(dir + "../package.json");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t key = text.find("\"version\"");
    size_t open = key == std::string::npos ? key : text.find('"', text.find(':', key));
    size_t close = open == std::string::npos ? open : text.find('"', open + 1);
    std::string version =
        close == std::string::npos ? "?" : text.substr(open + 1, close - open - 1);
    return "cities500 " + version;
}

const Zone& lookupZone(const Options& o, const std::string& name,
                       std::map<std::string, Zone>* zones) {
    auto it = zones->find(name);
    if (it != zones->end()) return it->second;
    Zone z;
    std::string error;
    citydb::PosixZone posix;
    if (name.find("..") == std::string::npos && !name.empty() && name[0] != '/' &&
        citydb::readZoneRule(o.zoneinfo + "/" + name, &z.rule, &error) &&
        citydb::parsePosixTz(z.rule, &posix, &error)) {
        z.ok = true;
        z.words = citydb::convertZone(posix);
    }
    return (*zones)[name] = z;
}

struct Totals {
    long rows = 0;
    std::map<std::string, long> rejected;  // reason -> rows
    std::map<std::string, long> leftOut;   // feature code -> rows
    long withoutCountry = 0;
};

const std::string kNameTooLong = "ASCII name too long for a record (over " +
                                 std::to_string(geo::kMaxRecordNameChars) + " characters)";

// Reads the table: every usable row places country labels; the kept rows become cities.
bool readCities(const Options& o, std::vector<Country>* countries, std::vector<City>* cities,
                std::map<std::string, Zone>* zones, Totals* t) {
    platform::TextFile in(o.cities);
    if (!in) return false;
    std::map<std::string, int> countryIndex;
    for (size_t i = 0; i < countries->size(); ++i) countryIndex[(*countries)[i].code] = int(i);
    std::string line;
    while (std::getline(in, line)) {
        ++t->rows;
        std::vector<std::string> f = splitTabs(line);
        double lat, lon;
        long id, population;
        const char* bad = nullptr;
        if (f.size() == 19 && kLeftOutCodes.count(f[7])) {
            ++t->leftOut[f[7]];
            continue;
        }
        if (f.size() != 19)
            bad = "wrong number of columns";
        else if (!parseDouble(f[4], &lat) || !parseDouble(f[5], &lon) || std::fabs(lat) > 90 ||
                 std::fabs(lon) > 180)
            bad = "bad latitude or longitude";
        else if (!parseLong(f[0], &id) || !parseLong(f[14], &population))
            bad = "bad number";
        else if (!printableAscii(f[2]))
            bad = "ASCII name empty or not printable";
        else if (f[2].size() > geo::kMaxRecordNameChars)
            bad = kNameTooLong.c_str();
        else if (!lookupZone(o, f[17], zones).ok)
            bad = "unknown time zone";
        if (bad != nullptr) {
            ++t->rejected[bad];
            continue;
        }
        City c{id, population, f[2], f[17]};
        c.latitude = int16_t(std::lround(lat * 60));
        c.longitude = int16_t(std::lround(lon * 60));
        auto ci = countryIndex.find(f[8]);
        if (ci != countryIndex.end()) {
            c.country = ci->second;
            Country& k = (*countries)[ci->second];
            bool capital = f[7] == "PPLC";
            if ((capital && !k.labelIsCapital) ||
                (capital == k.labelIsCapital && population > k.labelPopulation)) {
                k.latitude = c.latitude;
                k.longitude = c.longitude;
                k.labelPopulation = population;
                k.labelIsCapital = capital;
            }
        }
        if (population >= o.minPopulation || f[7] == "PPLC") {
            if (c.country == geo::kNoCountry) ++t->withoutCountry;
            cities->push_back(c);
        }
    }
    return true;
}

// Degrees and minutes (and seconds) "+DDMM[SS]" / "+DDDMM[SS]" in arc minutes, or false.
bool parseIsoAngle(const std::string& s, int degreeDigits, int16_t* arcMinutes) {
    size_t n = s.size() - 1;
    if (s.empty() || (s[0] != '+' && s[0] != '-') ||
        (n != size_t(degreeDigits + 2) && n != size_t(degreeDigits + 4)))
        return false;
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
    }
    int d = std::stoi(s.substr(1, degreeDigits));
    int m = std::stoi(s.substr(1 + degreeDigits, 2));
    int sec = n > size_t(degreeDigits + 2) ? std::stoi(s.substr(3 + degreeDigits, 2)) : 0;
    int value = d * 60 + m + (sec >= 30 ? 1 : 0);
    *arcMinutes = int16_t(s[0] == '-' ? -value : value);
    return true;
}

// Countries without any city in the table take the first place zone.tab gives for them.
void placeUnlabelled(const std::string& zoneTab, std::vector<Country>* countries) {
    platform::TextFile in(zoneTab);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f = splitTabs(line);
        if (line.empty() || line[0] == '#' || f.size() < 3) continue;
        size_t split = f[1].find_first_of("+-", 1);
        int16_t lat, lon;
        if (split == std::string::npos || !parseIsoAngle(f[1].substr(0, split), 2, &lat) ||
            !parseIsoAngle(f[1].substr(split), 3, &lon))
            continue;
        for (Country& c : *countries) {
            if (c.code != f[0] || c.labelPopulation >= 0) continue;
            c.latitude = lat;
            c.longitude = lon;
            c.labelPopulation = 0;
            std::printf("country %s (%s): no city in the table, label at %s's zone.tab place\n",
                        c.code.c_str(), c.name.c_str(), f[2].c_str());
        }
    }
}

void put16(std::vector<uint8_t>* out, size_t at, int v) {
    (*out)[at] = uint8_t(v & 255);
    (*out)[at + 1] = uint8_t((v >> 8) & 255);
}

void putName(std::vector<uint8_t>* out, size_t at, const std::string& name) {
    for (size_t i = 0; i < name.size(); ++i) put16(out, at + 2 * i, static_cast<uint8_t>(name[i]));
}

std::vector<uint8_t> encode(const std::string& header, const std::vector<Country>& countries,
                            const std::vector<City>& cities,
                            const std::map<std::string, Zone>& zones) {
    std::vector<uint8_t> out(geo::kFirstRecordOffset, 0);
    std::memcpy(out.data(), header.data(), std::min(header.size(), geo::kHeaderBytes - 1));
    for (size_t i = 0; i < countries.size(); ++i) {
        size_t at = geo::kHeaderBytes + i * geo::kCountryEntryBytes;
        put16(&out, at, countries[i].latitude);
        put16(&out, at + 2, countries[i].longitude);
        putName(&out, at + geo::kCountryNameOffset, countries[i].name);
    }
    for (const City& c : cities) {
        size_t at = out.size();
        size_t length = geo::kRecordNameOffset + 2 * (c.name.size() + 1);
        out.resize(at + length, 0);
        const citydb::ZoneWords& w = zones.at(c.zone).words;
        put16(&out, at, int(length));
        out[at + 3] = uint8_t(c.country);
        put16(&out, at + 4, c.latitude);
        put16(&out, at + 6, c.longitude);
        put16(&out, at + 8, w.offsetMinutes);
        put16(&out, at + 10, w.startTime);
        put16(&out, at + 12, w.startRule);
        put16(&out, at + 14, w.endTime);
        put16(&out, at + 16, w.endRule);
        putName(&out, at + geo::kRecordNameOffset, c.name);
    }
    out.resize(out.size() + 2, 0);  // the end marker
    return out;
}

// A zone whose real changes the stored words miss, with its cities in the file.
struct WrongZone {
    std::string name;
    long cities = 0;
    citydb::ZoneCheck check;
};

// Every zone of the written cities, checked over the years of `o`.
std::vector<WrongZone> checkZones(const Options& o, const std::vector<City>& cities,
                                  const std::map<std::string, Zone>& zones) {
    std::map<std::string, long> citiesPerZone;
    for (const City& c : cities) ++citiesPerZone[c.zone];
    std::vector<WrongZone> wrong;
    for (const auto& [name, count] : citiesPerZone) {
        citydb::ZoneCheck check = citydb::checkZone(o.zoneinfo + "/" + name, zones.at(name).words,
                                                    o.firstYear, o.lastYear);
        if (check.wrongMinutes > 0) wrong.push_back(WrongZone{name, count, check});
    }
    return wrong;
}

void report(const Totals& t, const std::vector<Country>& countries, size_t cityCount,
            const std::map<std::string, Zone>& zones, const std::string& header) {
    std::printf("header \"%s\"\n", header.c_str());
    std::printf("%ld rows read, %zu cities written, %zu countries\n", t.rows, cityCount,
                countries.size());
    for (const auto& [code, what] : kLeftOutCodes) {
        auto n = t.leftOut.find(code);
        std::printf("left out %ld rows of feature code %s (%s)\n",
                    n == t.leftOut.end() ? 0 : n->second, code.c_str(), what);
    }
    for (const auto& [reason, count] : t.rejected) {
        std::printf("rejected %ld rows: %s\n", count, reason.c_str());
    }
    if (t.withoutCountry > 0) {
        std::printf("%ld cities with a country code missing from the country list\n",
                    t.withoutCountry);
    }
    for (const Country& c : countries) {
        if (cityCount > 0 && c.labelPopulation < 0) {
            std::printf(
                "country %s (%s): no city in the table or zone.tab, no label (0,0 marks none)\n",
                c.code.c_str(), c.name.c_str());
        }
    }
    for (const auto& [name, z] : zones) {
        if (!z.ok || z.words.note.empty()) continue;
        std::printf(
            "inexact zone %s \"%s\": %s; stored offset %d, start %04x/%04x, "
            "end %04x/%04x\n",
            name.c_str(), z.rule.c_str(), z.words.note.c_str(), z.words.offsetMinutes,
            z.words.startRule, z.words.startTime, z.words.endRule, z.words.endTime);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    std::string argError = parseArgs(argc, argv, &o);
    if (!argError.empty()) {
        std::fprintf(stderr, "mundora-citydb: %s\n%s", argError.c_str(), kUsage);
        return 2;
    }
    // Without the folder every row would be refused for an unknown time zone.
    if (!std::filesystem::is_directory(o.zoneinfo)) {
        std::fprintf(stderr, "mundora-citydb: no time-zone folder at %s\n", o.zoneinfo.c_str());
        return 2;
    }
    if (o.header.empty()) o.header = defaultHeader(o.cities);
    if (std::string bad = headerProblem(o.header); !bad.empty()) {
        std::fprintf(stderr, "mundora-citydb: the default header %s; give --header\n", bad.c_str());
        return 1;
    }
    std::vector<Country> countries;
    int badCountries = 0;
    if (!readCountries(o.iso3166, &countries, &badCountries) || countries.empty() ||
        countries.size() > geo::kNoCountry) {
        std::fprintf(stderr, "mundora-citydb: %s: no usable country list (1..255 entries)\n",
                     o.iso3166.c_str());
        return 1;
    }
    if (badCountries > 0) std::printf("rejected %d country lines\n", badCountries);
    std::vector<City> cities;
    std::map<std::string, Zone> zones;
    Totals totals;
    if (!readCities(o, &countries, &cities, &zones, &totals)) {
        std::fprintf(stderr, "mundora-citydb: cannot read %s\n", o.cities.c_str());
        return 1;
    }
    if (cities.empty()) {
        report(totals, countries, 0, zones, o.header);
        std::fflush(stdout);
        std::fprintf(stderr, "mundora-citydb: %s: no usable city rows\n", o.cities.c_str());
        return 1;
    }
    placeUnlabelled(o.zoneinfo + "/zone.tab", &countries);
    // Most populous first: a prefix search keeps the first matches in file order.
    std::stable_sort(cities.begin(), cities.end(), [](const City& a, const City& b) {
        return a.population != b.population ? a.population > b.population : a.id < b.id;
    });
    std::vector<uint8_t> bytes = encode(o.header, countries, cities, zones);
    std::string error;
    if (!platform::writeFileAtomic(o.output, bytes.data(), bytes.size(), &error)) {
        std::fprintf(stderr, "mundora-citydb: %s\n", error.c_str());
        return 1;
    }
    report(totals, countries, cities.size(), zones, o.header);
    for (const WrongZone& z : checkZones(o, cities, zones)) {
        std::printf(
            "zone %s (%ld cities): its real changes are not in the stored rule; local time off "
            "by up to %d minutes for %.1f days of %d-%d\n",
            z.name.c_str(), z.cities, z.check.worstMinutes, z.check.wrongMinutes / 1440.0,
            o.firstYear, o.lastYear);
    }
    return 0;
}
