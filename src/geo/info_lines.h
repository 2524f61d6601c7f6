// The texts of the information panel in the top-left corner: the snap point's position and
// its antipode, a city's local time, date, daylight-saving sentence and sun times, and the
// sun's elevation and azimuth. Pure functions of a place, the options and the UTC time;
// drawing them, and the distance lines above them, is the overlay pass's business.
#pragma once

#include <string>
#include <vector>

#include "base/options.h"
#include "geo/place.h"
#include "platform/clock.h"

namespace geo {

// The degree sign of the font.
constexpr char16_t kDegreeSign = 0xB0;

// "48° 51'N 02° 21'E" for a position in arc minutes (latitude north, longitude east
// positive); longitudes of 100° and more print three digits.
std::u16string positionLine(int latitude, int longitude);

// The point opposite on the globe, arc minutes: latitude negated, longitude moved by 180°
// (10800 arc minutes) toward the other hemisphere, so 0 goes to −10800 (180° W).
void antipodeOf(int latitude, int longitude, int* antipodeLatitude, int* antipodeLongitude);

// "Sun: Elevation = 23° Azimuth = 241°" at (lat, lon) degrees, east positive, for the sun's
// declination and Greenwich hour angle in degrees; both numbers truncated toward zero.
std::u16string sunLine(double lat, double lon, double declination, double hourAngle);

// The city lines of a named place at `now`, in order: local time ("City Time"), date ("City
// Time" and "City Date"), the daylight-saving sentence ("City's forthcoming DST Event"), and
// sunrise and sunset of its local day ("Sunrise and Sunset Times"); none for a place
// without a name.
std::vector<std::u16string> cityLines(const platform::UtcTime& now, const Place& place,
                                      const Options& options);

// Every panel line for the snap point `snap` (kind 0: none), below any distance lines: its
// position and its antipode's ("Show Lat/Lon", "Antipodes"), the city lines, and the sun
// line for the snap point itself ("Sun's Azimuth and Elevation"). None while "Compute
// Distance" is on. The sun is given by declination and Greenwich hour angle in degrees.
std::vector<std::u16string> panelLines(const Place& snap, const Options& options,
                                       const platform::UtcTime& now, double declination,
                                       double hourAngle);

}  // namespace geo
