// The panel's sentences. Positions are whole arc minutes throughout; the texts are built as
// Latin-1 bytes (the degree sign is 0xB0 in the font) and widened once.
#include "geo/info_lines.h"

#include <cstdio>
#include <cstdlib>

#include "geo/dst.h"
#include "geo/sun_times.h"
#include "geo/text16.h"

namespace geo {
namespace {

constexpr char kDegree = static_cast<char>(0xB0);

}  // namespace

std::u16string positionLine(int latitude, int longitude) {
    const int lat = std::abs(latitude), lon = std::abs(longitude);
    char text[40];
    std::snprintf(text, sizeof text, "%02d%c %02d%c%c %02d%c %02d%c%c", lat / 60, kDegree, lat % 60,
                  '\'', latitude >= 0 ? 'N' : 'S', lon / 60, kDegree, lon % 60, '\'',
                  longitude >= 0 ? 'E' : 'W');
    return widen(text);
}

void antipodeOf(int latitude, int longitude, int* antipodeLatitude, int* antipodeLongitude) {
    *antipodeLatitude = -latitude;
    *antipodeLongitude = longitude >= 0 ? longitude - 10800 : longitude + 10800;
}

std::u16string sunLine(double lat, double lon, double declination, double hourAngle) {
    const double elevation = sunElevation(lat, lon, declination, hourAngle);
    const double azimuth = sunAzimuth(lat, lon, elevation, declination, hourAngle);
    char text[48];
    std::snprintf(text, sizeof text, "Sun: Elevation = %d%c Azimuth = %d%c",
                  static_cast<int>(elevation), kDegree, static_cast<int>(azimuth), kDegree);
    return widen(text);
}

std::vector<std::u16string> cityLines(const platform::UtcTime& now, const Place& place,
                                      const Options& options) {
    std::vector<std::u16string> lines;
    if (place.name == nullptr) return lines;
    std::u16string time, date, transition;
    localDateTime(now, place, options.timeFormat, options.cityTime ? &time : nullptr,
                  options.cityDate ? &date : nullptr, options.cityDstEvent ? &transition : nullptr);
    if (options.cityTime) lines.push_back(time);
    if (options.cityTime && options.cityDate) lines.push_back(date);
    if (options.cityDstEvent) lines.push_back(transition);
    if (options.sunriseSunset) lines.push_back(sunriseSunsetText(now, place, options.timeFormat));
    return lines;
}

std::vector<std::u16string> panelLines(const Place& snap, const Options& options,
                                       const platform::UtcTime& now, double declination,
                                       double hourAngle) {
    std::vector<std::u16string> lines;
    if (snap.kind == 0 || options.computeDistance) return lines;
    if (options.showLatLon) lines.push_back(positionLine(snap.latitude, snap.longitude));
    if (options.antipodes && options.showLatLon) {
        int lat, lon;
        antipodeOf(snap.latitude, snap.longitude, &lat, &lon);
        lines.push_back(positionLine(lat, lon) + u" (A)");
    }
    for (std::u16string& line : cityLines(now, snap, options)) lines.push_back(std::move(line));
    // The sun line describes the place the user tapped, also while its antipode is marked.
    if (options.sunAzimuthElevation)
        lines.push_back(
            sunLine(snap.latitude / 60.0, snap.longitude / 60.0, declination, hourAngle));
    return lines;
}

}  // namespace geo
