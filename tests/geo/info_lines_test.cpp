// The information panel's lines: which appear for which options, the position and antipode
// texts at their seams, and that the sun line describes the tapped place, not its antipode
// (the sun is put at the place's zenith, where the antipode would read -90).
#include "geo/info_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "geo/text16.h"

namespace {

TEST(InfoLines, LinesFollowTheOptions) {
    geo::Place paris;
    paris.latitude = 48 * 60 + 51;
    paris.longitude = 2 * 60 + 21;
    paris.tzOffset = 60;
    paris.name = u"Paris";
    geo::Place bare = paris;
    bare.kind = geo::kPlacePosition;
    bare.name = nullptr;
    geo::Place greenwich;
    greenwich.latitude = greenwich.longitude = 0;
    Options all;
    all.antipodes = true;
    Options noCity = all, dateOnly = all, distance = all, nothing = all;
    noCity.cityTime = noCity.cityDstEvent = noCity.sunriseSunset = false;
    dateOnly.cityTime = false;
    distance.computeDistance = true;
    nothing.showLatLon = nothing.sunAzimuthElevation = false;
    const platform::UtcTime now{2027, 3, 20, 17, 0, 0, 0, 6};
    const struct {
        const geo::Place& place;
        const Options& options;
        const char* starts;  // the expected lines' beginnings, in order, each ending in "|"
    } cases[] = {
        {paris, all,
         "48° 51'N 02° 21'E|48° 51'S 177° 39'W (A)|06:00 pm (Standard)|Sat, Mar 20th, 2027|"
         "No DST observed|sunrise: |Sun: Elevation = |"},
        {greenwich, all, "00° 00'N 00° 00'E|00° 00'N 180° 00'W (A)|Sun: Elevation = |"},
        {paris, noCity, "48° 51'N 02° 21'E|48° 51'S 177° 39'W (A)|Sun: Elevation = |"},
        {paris, dateOnly,
         "48° 51'N 02° 21'E|48° 51'S 177° 39'W (A)|No DST observed|sunrise: |Sun: Elevation = |"},
        {bare, all, "48° 51'N 02° 21'E|48° 51'S 177° 39'W (A)|Sun: |"},
        {paris, distance, ""},
        {bare, nothing, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.starts);
        // The sun straight above the place: declination = latitude, hour angle = −longitude.
        const double lat = c.place.latitude / 60.0, lon = c.place.longitude / 60.0;
        std::string lines;
        for (const std::u16string& line : geo::panelLines(c.place, c.options, now, lat, 360 - lon))
            lines += geo::toUtf8(line.c_str()) + "|";
        std::istringstream want(c.starts), got(lines);
        std::string wanted, line;
        while (std::getline(want, wanted, '|') && std::getline(got, line, '|'))
            EXPECT_EQ(line.rfind(wanted, 0), 0u) << line;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '|'),
                  std::count(c.starts, c.starts + std::strlen(c.starts), '|'));
        if (!c.options.sunAzimuthElevation || lines.empty()) continue;
        int elevation = 0;
        ASSERT_EQ(std::sscanf(lines.substr(lines.rfind("Sun: ")).c_str(), "Sun: Elevation = %d",
                              &elevation),
                  1);
        EXPECT_GE(elevation, 89) << lines;
    }
}

}  // namespace
