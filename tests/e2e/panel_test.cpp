// The information panel end to end: with Pan/Rotate off a press on a city snaps to it, and
// the drawn strings (the `texts` log) are checked against independent references: the C
// library's zoneinfo for the local time, date and next daylight-saving change, libnova for
// sunrise, sunset and the sun's elevation and azimuth, published coordinates for the position.
// Compute Distance with two taps shows the distance and the time difference; each sample
// route file, named in settings.ini, shows its distance line above the panel's.
#include <libnova/julian_day.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "../geo/libnova_sun.h"
#include "../geo/sphere.h"
#include "../geo/zoneinfo_text.h"
#include "geo/place.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "raster/back_buffer.h"
#include "routefiles/route_file.h"
#include "session.h"
#include "shell/settings.h"
#include "texture/point_projection.h"
#include "view/angles.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

constexpr unsigned kSnapped = 0xFFE0;   // "Snapped City Color"
constexpr unsigned kDistance = 0xFFFF;  // "Distance Arc Color"
constexpr char kClock[] = "2027-03-20T17:00:00Z";

// Isolated towns (no other city within the snap radius of a tap's error), with GeoNames'
// coordinates in degrees and their zones.
struct City {
    const char* name;
    double lat, lon;
    const char* zone;
};
const City kNassau{"Nassau", 25.05823, -77.34306, "America/Nassau"};
const City kHamilton{"Hamilton", 32.29149, -64.77797, "Atlantic/Bermuda"};

// The panel's lines: at x = 0 in `colour`, top to bottom.
std::vector<Shown> column(const std::vector<Shown>& shown, unsigned colour) {
    std::vector<Shown> out;
    for (const Shown& s : shown)
        if (s.x == 0 && s.colour == colour) out.push_back(s);
    std::sort(out.begin(), out.end(), [](const Shown& a, const Shown& b) { return a.y < b.y; });
    return out;
}

// Where the city lies on the screen in the view the program wrote with `view FILE`.
void screenPoint(const std::map<std::string, long>& view, const City& city, int* x, int* y) {
    gDisplay = {240, 320, 2, 480, 16};
    buildTrigTables();
    gView.planar = view.at("planar") != 0;
    gView.lonAngle = int32_t(view.at("lonAngle"));
    gView.latAngle = int32_t(view.at("latAngle"));
    gView.radius = int32_t(view.at("radius"));
    gView.planarHeight = int32_t(view.at("planarHeightInUse"));
    gView.offsetX = int32_t(view.at("offsetX"));
    gView.offsetY = int32_t(view.at("offsetY"));
    gView.margin = int32_t(view.at("margin"));
    ScreenPoint p;
    EXPECT_TRUE(projectPoint(city.lat * M_PI / 180, city.lon * M_PI / 180, &p)) << city.name;
    *x = p.x;
    *y = p.y;
}

std::string at(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y) + "\n";
}
std::string pressAt(int x, int y) {
    return "down " + at(x, y) + "wait 100\nup " + at(x, y) + "wait 100\n";
}

time_t clockSeconds() {
    int64_t ms = 0;
    platform::parseUtc(kClock, &ms);
    return time_t(ms / 1000);
}

// Minutes of a 12-hour "hh:mm am" reading.
int minutes12(int hour, int minute, const char* meridiem) {
    return (hour % 12 + (meridiem[0] == 'p' ? 12 : 0)) * 60 + minute;
}

// The snapped city's label and the six panel lines from `firstY` down, each against its
// reference at the scripted clock (the run stays within its first minute).
void expectCityPanel(const std::vector<Shown>& shown, const City& city, int firstY,
                     const char* where) {
    SCOPED_TRACE(std::string(where) + " " + city.name);
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [&](const Shown& s) {
        return s.text == city.name && s.colour == kSnapped;
    }));
    const std::vector<Shown> lines = column(shown, kSnapped);
    ASSERT_EQ(lines.size(), 6u);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].y, firstY + 12 * int(i));
    int latD, latM, lonD, lonM;
    char ns, ew;
    ASSERT_EQ(std::sscanf(lines[0].text.c_str(), "%d\xC2\xB0 %d'%c %d\xC2\xB0 %d'%c", &latD, &latM,
                          &ns, &lonD, &lonM, &ew),
              6)
        << lines[0].text;
    const double lat = (ns == 'S' ? -1 : 1) * (latD + latM / 60.0);
    const double lon = (ew == 'W' ? -1 : 1) * (lonD + lonM / 60.0);
    EXPECT_NEAR(lat, city.lat, 1 / 60.0) << lines[0].text;
    EXPECT_NEAR(lon, city.lon, 1 / 60.0) << lines[0].text;

    time_t t = clockSeconds();
    ScopedZone zone(city.zone);
    struct tm local = zoneLocal(t);
    int standard = zoneOffsetMinutes(t);  // the least offset over the year
    for (int quarter = 1; quarter < 4; ++quarter)
        standard = std::min(standard, zoneOffsetMinutes(t + quarter * 91 * 86400));
    EXPECT_EQ(lines[1].text, zoneTime12(t, standard));
    EXPECT_EQ(lines[2].text, dateText(local));
    EXPECT_EQ(lines[3].text, zoneNextChange(t));

    int rh, rm, sh, sm;
    char rp[3] = {}, sp[3] = {};
    ASSERT_EQ(std::sscanf(lines[4].text.c_str(), "sunrise: %d:%d %2s,  sunset : %d:%d %2s", &rh,
                          &rm, rp, &sh, &sm, sp),
              6)
        << lines[4].text;
    ln_date date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 0, 0, 0};
    double rise, set;
    libnovaDay(ln_get_julian_day(&date), lat, lon, &rise, &set);
    const int offset = zoneOffsetMinutes(t);
    EXPECT_LT(clockDistance(minutes12(rh, rm, rp), rise + offset), 1.5) << lines[4].text;
    EXPECT_LT(clockDistance(minutes12(sh, sm, sp), set + offset), 1.5) << lines[4].text;

    int elevation, azimuth;
    ASSERT_EQ(std::sscanf(lines[5].text.c_str(), "Sun: Elevation = %d\xC2\xB0 Azimuth = %d",
                          &elevation, &azimuth),
              2)
        << lines[5].text;
    double altitude, direction;
    libnovaSun(ln_get_julian_from_timet(&t), lat, lon, &altitude, &direction);
    EXPECT_LE(std::abs(elevation - std::trunc(altitude)), 1) << altitude;
    EXPECT_LE(std::abs(azimuth - std::trunc(direction)), 1) << direction;
}

// Great-circle kilometres between two towns on a sphere of 6378 km, at their positions
// rounded to arc minutes as the database keeps them.
double haversineKm(const City& a, const City& b) {
    auto rad = [](double deg) { return std::lround(deg * 60) / 60.0 * M_PI / 180; };
    return 6378 * sphere::haversine(rad(a.lat), rad(a.lon), rad(b.lat), rad(b.lon));
}

// Minutes east of UTC on the clock of `zone` at t.
int offsetIn(const char* zone, time_t t) {
    ScopedZone scoped(zone);
    return zoneOffsetMinutes(t);
}

TEST(Panel, SnappedCityAndDistanceOnTheGlobeAndTheFlatMap) {
    Session views("wait 100\nview globe\ncommand 2006\nwait 100\nview flat");
    int nx, ny, hx, hy, fx, fy;
    screenPoint(views.view("globe"), kNassau, &nx, &ny);
    screenPoint(views.view("globe"), kHamilton, &hx, &hy);
    screenPoint(views.view("flat"), kNassau, &fx, &fy);
    // The distance points stay drawn after the mode is switched off, above the flat map's
    // panel lines. The first run saved the flat view as the last one: this one starts afresh.
    TempFolder fresh;
    Session run("wait 100\ncommand 2005\n" + pressAt(nx, ny) + "texts globe.txt\ncommand 2004\n" +
                    "tap " + at(hx, hy) + "wait 100\ntap " + at(nx, ny) +
                    "wait 100\ntexts distance.txt\ncommand 2004\ncommand 2006\nwait 100\n" +
                    pressAt(fx, fy) + "texts flat.txt",
                "", fresh.path);
    expectCityPanel(run.shown("globe.txt"), kNassau, 2, "globe");

    const std::vector<Shown> distance = run.shown("distance.txt");
    EXPECT_TRUE(column(distance, kSnapped).empty()) << "no panel lines while measuring";
    const std::vector<Shown> measured = column(distance, kDistance);
    ASSERT_EQ(measured.size(), 2u);
    int km = 0;
    ASSERT_EQ(std::sscanf(measured[0].text.c_str(), "Distance: %d km", &km), 1) << measured[0].text;
    EXPECT_NEAR(km, haversineKm(kHamilton, kNassau), 2);
    time_t t = clockSeconds();
    const int difference = offsetIn(kNassau.zone, t) - offsetIn(kHamilton.zone, t);
    char expected[40];
    std::snprintf(expected, sizeof expected, "Time Difference: %c%02d:%02d",
                  difference < 0 ? '-' : '+', std::abs(difference) / 60, std::abs(difference) % 60);
    EXPECT_EQ(measured[1].text, expected);
    EXPECT_EQ(measured[1].y, measured[0].y + 12);

    const std::vector<Shown> onFlat = run.shown("flat.txt");
    EXPECT_EQ(column(onFlat, kDistance).size(), 2u);
    expectCityPanel(onFlat, kNassau, 2 + 2 * 12, "flat map");
}

// Each sample route file, named in settings.ini with "Show selected files" (Flags bit 13)
// on: with Pan/Rotate off a press in the middle of the globe (a bare position or a city)
// shows the route's length through its points, in its colour, above the panel's lines.
TEST(Panel, EachSampleRouteShowsItsDistanceAboveThePanel) {
    const std::string folder = MUNDORA_BINARY_DIR "/data/routes/";
    const std::vector<std::string> files = platform::listFiles(folder, ".xml");
    EXPECT_GE(files.size(), 3u);
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const std::string xml = readText(folder + name);
        routes::RouteSet route;
        ASSERT_TRUE(routes::readRouteText(reinterpret_cast<const uint8_t*>(xml.data()), xml.size(),
                                          "", &route, nullptr));
        double km = 0;
        for (PtrNode* n = route.places.head(); n && n->next; n = n->next) {
            const auto* a = static_cast<const geo::Place*>(n->data);
            const auto* b = static_cast<const geo::Place*>(n->next->data);
            km += 6378 * sphere::haversine(
                             a->latitude * kRadiansPerMinute, a->longitude * kRadiansPerMinute,
                             b->latitude * kRadiansPerMinute, b->longitude * kRadiansPerMinute);
        }
        TempFolder state;
        Options options;
        options.showSelectedFiles = true;
        std::ofstream(state.file("settings.ini")) << formatSettings(options, name);
        Session run("wait 100\ncommand 2005\n" + pressAt(120, 160) + "texts texts.txt", "",
                    state.path);
        const std::vector<Shown> shown = run.shown("texts.txt");
        const std::vector<Shown> panel = column(shown, kSnapped);
        ASSERT_FALSE(panel.empty());
        std::vector<Shown> distance;
        for (const Shown& s : column(shown, route.color))
            if (s.text.rfind("Distance: ", 0) == 0) distance.push_back(s);
        if (route.lineStyle == routes::kLineNone) {
            EXPECT_TRUE(distance.empty());
            EXPECT_EQ(panel[0].y, 2);
            continue;
        }
        ASSERT_EQ(distance.size(), 1u);
        int shownKm = 0;
        ASSERT_EQ(std::sscanf(distance[0].text.c_str(), "Distance: %d km", &shownKm), 1);
        EXPECT_NEAR(shownKm, km, 2);
        EXPECT_EQ(distance[0].y, 2);
        EXPECT_EQ(panel[0].y, 14) << "the panel starts below the route's line";
    }
}

}  // namespace
