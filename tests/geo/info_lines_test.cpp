// The information panel's lines: which appear for which options, the position and antipode
// texts at their seams, and that the sun line describes the tapped place, not its antipode
// (the sun is put at the place's zenith, where the antipode would read -90).
#include "geo/info_lines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "geo/text16.h"

namespace {

std::vector<std::string> utf8(const std::vector<std::u16string>& lines) {
    std::vector<std::string> out;
    for (const std::u16string& line : lines) out.push_back(geo::toUtf8(line.c_str()));
    return out;
}

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
    struct Case {
        const char* what;
        const geo::Place& place;
        const Options& options;
        std::vector<std::string> starts;  // the expected lines' beginnings, in order
    };
    const Case cases[] = {
        {"all",
         paris,
         all,
         {"48° 51'N 02° 21'E", "48° 51'S 177° 39'W (A)", "06:00 pm (Standard)",
          "Sat, Mar 20th, 2027", "No DST observed", "sunrise: ", "Sun: Elevation = "}},
        {"longitude 0",
         greenwich,
         all,
         {"00° 00'N 00° 00'E", "00° 00'N 180° 00'W (A)", "Sun: Elevation = "}},
        {"city options off",
         paris,
         noCity,
         {"48° 51'N 02° 21'E", "48° 51'S 177° 39'W (A)", "Sun: Elevation = "}},
        {"date without time",
         paris,
         dateOnly,
         {"48° 51'N 02° 21'E", "48° 51'S 177° 39'W (A)", "No DST observed",
          "sunrise: ", "Sun: Elevation = "}},
        {"unnamed", bare, all, {"48° 51'N 02° 21'E", "48° 51'S 177° 39'W (A)", "Sun: "}},
        {"compute distance", paris, distance, {}},
        {"neither position nor sun", bare, nothing, {}},
    };
    for (const Case& c : cases) {
        // The sun straight above the place: declination = latitude, hour angle = −longitude.
        const double lat = c.place.latitude / 60.0, lon = c.place.longitude / 60.0;
        std::vector<std::string> lines =
            utf8(geo::panelLines(c.place, c.options, now, lat, 360 - lon));
        ASSERT_EQ(lines.size(), c.starts.size()) << c.what;
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].rfind(c.starts[i], 0), 0u) << c.what << ": " << lines[i];
        if (!c.options.sunAzimuthElevation || lines.empty()) continue;
        int elevation = 0;
        ASSERT_EQ(std::sscanf(lines.back().c_str(), "Sun: Elevation = %d", &elevation), 1);
        EXPECT_GE(elevation, 89) << c.what << ": " << lines.back();
    }
}

}  // namespace
