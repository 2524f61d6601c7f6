// mundora-cities: inspects a cities.bin with the program's own reader. Prints the header,
// the record count and the countries, or the cities a search finds, each with its local
// time, daylight-saving state and sun times at a given instant. Exit 1 on a refused file,
// 2 on a bad command line, naming the option and the value.
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "geo/city_db.h"
#include "geo/country_labels.h"
#include "geo/dst.h"
#include "geo/sun_times.h"
#include "geo/text16.h"
#include "platform/clock.h"
#include "texture/sun.h"
#include "whole_number.h"

namespace {

const char kUsage[] =
    "usage: mundora-cities FILE [--find PREFIX | --near LAT LON | --record OFFSET]\n"
    "                      [--at 2027-03-20T12:00:00Z] [--radius ARCMIN] [--max N]\n"
    "                      [--format 0|1|2]\n"
    "Without a search: the header, the number of records and every country with its\n"
    "label position (\"no label\" when it has none) and number of cities. --near takes\n"
    "degrees (north and east positive) and finds the nearest city within --radius arc\n"
    "minutes (default 60). Cities are shown with local time, daylight-saving state and\n"
    "sun times at --at (default now, UTC).\n"
    "Exit 1 when FILE is refused, 2 for a bad command line or an OFFSET where no record\n"
    "starts.\n";

struct Args {
    const char* file = nullptr;
    const char* find = nullptr;
    bool hasRecord = false;
    uint32_t record = 0;  // file offset
    bool near = false;
    double lat = 0, lon = 0;  // degrees
    int radius = 60;          // arc minutes
    int max = 20;
    int format = kTime24;
    int64_t atMs = 0;
};

std::string quoted(const char* s) {
    return std::string("\"") + s + "\"";
}

// Degrees within -limit..limit.
bool degrees(const char* s, double limit, double* v) {
    char* end = nullptr;
    *v = std::strtod(s, &end);
    return end != s && *end == 0 && std::isfinite(*v) && std::fabs(*v) <= limit;
}

int valueCount(const std::string& option) {
    if (option == "--near") return 2;
    for (const char* o : {"--find", "--record", "--at", "--radius", "--max", "--format"}) {
        if (option == o) return 1;
    }
    return 0;
}

// Empty when the command line is good, else what is wrong with which value.
std::string parseArgs(int argc, char** argv, Args* a) {
    a->atMs = platform::utcMillis();
    for (int i = 1; i < argc; ++i) {
        std::string s = argv[i];
        int values = valueCount(s);
        if (s == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (i + values >= argc) return s + (values == 2 ? " needs two values" : " needs a value");
        const char* v = values > 0 ? argv[i + 1] : nullptr;
        uint64_t n = 0;
        if (s == "--find") {
            a->find = v;
        } else if (s == "--record") {
            if (!tools::wholeNumber(v, UINT32_MAX, &n)) {
                return "--record: " + quoted(v) + " is not a file offset (0..4294967295)";
            }
            a->hasRecord = true;
            a->record = uint32_t(n);
        } else if (s == "--near") {
            a->near = true;
            if (!degrees(v, 90, &a->lat)) {
                return "--near: latitude " + quoted(v) + " is not a number in -90..90";
            }
            if (!degrees(argv[i + 2], 180, &a->lon)) {
                return "--near: longitude " + quoted(argv[i + 2]) + " is not a number in -180..180";
            }
        } else if (s == "--at") {
            if (!platform::parseUtc(v, &a->atMs)) {
                return "--at: " + quoted(v) + " is not a UTC time like 2027-03-20T12:00:00Z";
            }
        } else if (s == "--radius" || s == "--max") {
            if (!tools::wholeNumber(v, 20000, &n))
                return s + ": " + quoted(v) + " is not in 0..20000";
            (s == "--radius" ? a->radius : a->max) = int(n);
        } else if (s == "--format") {
            if (!tools::wholeNumber(v, 2, &n))
                return "--format: " + quoted(v) + " is not 0, 1 or 2";
            a->format = int(n);
        } else if (s[0] == '-') {
            return "unknown option " + quoted(argv[i]);
        } else if (a->file == nullptr) {
            a->file = argv[i];
        } else {
            return "a second FILE " + quoted(argv[i]);
        }
        i += values;
    }
    // One search a run: with two, one of them used to be dropped without a word.
    std::vector<std::string> searches;
    if (a->find != nullptr) searches.push_back("--find");
    if (a->near) searches.push_back("--near");
    if (a->hasRecord) searches.push_back("--record");
    if (searches.size() > 1) return searches[0] + " and " + searches[1] + ": one search at a time";
    return a->file != nullptr ? "" : "no FILE given";
}

void printCity(const geo::CityDatabase& db, const geo::CityRecord* r, const platform::UtcTime& now,
               int format) {
    geo::Place place;
    place.fillFromRecord(r);
    int offset = place.tzOffset;
    std::printf("%u %s, %s\n", db.recordOffset(r), geo::toUtf8(place.name).c_str(),
                geo::toUtf8(db.countryName(place.country)).c_str());
    std::printf("  lat %.2f lon %.2f, standard time UTC%c%02d:%02d\n", place.latitude / 60.0,
                place.longitude / 60.0, offset < 0 ? '-' : '+', std::abs(offset) / 60,
                std::abs(offset) % 60);
    std::u16string time, date, dst;
    geo::localDateTime(now, place, format, &time, &date, &dst);
    std::printf("  %s, %s\n  %s\n", geo::toUtf8(time.c_str()).c_str(),
                geo::toUtf8(date.c_str()).c_str(), geo::toUtf8(dst.c_str()).c_str());
    std::printf("  %s\n", geo::toUtf8(geo::sunriseSunsetText(now, place, format).c_str()).c_str());
    double hours = now.hour + now.minute / 60.0 + now.second / 3600.0;
    double decl = sunDeclination(now.day, now.month, now.year, hours);
    double gha = sunHourAngle(now.day, now.month, now.year, hours);
    double lat = place.latitude / 60.0, lon = place.longitude / 60.0;
    double elevation = geo::sunElevation(lat, lon, decl, gha);
    std::printf("  sun elevation %.1f, azimuth %.1f\n", elevation,
                geo::sunAzimuth(lat, lon, elevation, decl, gha));
}

void printSummary(const geo::CityDatabase& db) {
    std::string header(reinterpret_cast<const char*>(db.viewStart()), geo::kHeaderBytes);
    std::printf("header \"%s\"\n", header.c_str());
    std::printf("records %zu\n", db.recordCount());
    int countries = 0;
    for (int i = 0; i < geo::kCountryCount; ++i) countries += db.countryName(i)[0] != 0;
    std::printf("countries %d\n", countries);
    for (int i = 0; i < geo::kCountryCount; ++i) {
        const geo::CountryEntry* c = db.countryEntry(i);
        if (geo::countryEntryName(c)[0] == 0) continue;
        geo::RecordList cities;
        db.citiesOfCountry(static_cast<uint8_t>(i), 20000, &cities);
        char label[48] = "no label";
        if (geo::hasLabelPosition(db, i))
            std::snprintf(label, sizeof label, "lat %7.2f lon %7.2f",
                          geo::countryLatitude(c) / 60.0, geo::countryLongitude(c) / 60.0);
        std::printf("%3d %-40s %s cities %zu\n", i, geo::toUtf8(geo::countryEntryName(c)).c_str(),
                    label, cities.size());
    }
}

}  // namespace

int main(int argc, char** argv) {
    Args a;
    std::string error = parseArgs(argc, argv, &a);
    if (!error.empty()) {
        std::fprintf(stderr, "mundora-cities: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    geo::CityDatabase& db = geo::cityDatabase;
    if (!db.open(a.file)) {
        std::fprintf(stderr, "mundora-cities: %s: %s\n", a.file, db.problem().c_str());
        return 1;
    }
    if (!db.problem().empty()) std::printf("damaged: %s\n", db.problem().c_str());
    db.buildIndexes();
    platform::UtcTime now = platform::utcFromMillis(a.atMs);
    if (a.find != nullptr) {
        // Every match is counted; the first --max of them in file order are shown.
        const std::u16string prefix = geo::widen(a.find);
        geo::RecordList all, shown;
        db.prefixSearch(prefix.c_str(), INT_MAX, &all);
        db.prefixSearch(prefix.c_str(), a.max, &shown);
        std::printf("found %zu, showing %zu\n", all.size(), shown.size());
        for (const geo::CityRecord* r : shown) printCity(db, r, now, a.format);
    } else if (a.near) {
        geo::Place place;
        int lat = static_cast<int>(std::lround(a.lat * 60)),
            lon = static_cast<int>(std::lround(a.lon * 60));
        if (!db.nearestCity(lat, lon, a.radius, &place)) {
            std::printf("no city within %d arc minutes\n", a.radius);
            return 0;
        }
        printCity(db, geo::recordFromName(place.name), now, a.format);
    } else if (a.hasRecord) {
        const geo::CityRecord* r = db.recordAt(a.record);
        if (r == nullptr) {
            if (a.record >= db.viewSize()) {
                std::fprintf(stderr,
                             "mundora-cities: --record: %u is past the end of %s (%zu bytes)\n",
                             a.record, a.file, db.viewSize());
            } else {
                std::fprintf(stderr, "mundora-cities: --record: no record starts at %u\n",
                             a.record);
            }
            return 2;
        }
        printCity(db, r, now, a.format);
    } else {
        printSummary(db);
    }
    db.close();
    return 0;
}
