// Distances, arcs, place labels and snapping on a 240 × 320 back buffer: distances against
// haversine and published city-to-city figures, interpolated points against the plane of
// their great circle, arcs and labels on pixels and on the text log, and snapping's radius,
// list order and the short way across ±180°. The flat views use a 240 × 120 map at (0, 0).
#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "../font/screen.h"
#include "base/options.h"
#include "geo/city_db.h"
#include "geo/distance.h"
#include "geo/place_drawing.h"
#include "geo/place_lists.h"
#include "geo/route_place.h"
#include "geo/snapping.h"
#include "geo/text16.h"
#include "platform/clock.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "raster/image_buffer.h"
#include "raster/pictures.h"
#include "raster/text_log.h"
#include "sphere.h"
#include "test_records.h"
#include "texture/point_projection.h"
#include "view/angles.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

constexpr double kDeg = kPi / 180;

using namespace sphere;

// The distance and time-difference lines of the text log, in order.
std::string measurementLines() {
    std::istringstream log(textLogContents());
    std::string line, out;
    while (std::getline(log, line))
        if (line.find("Distance:") != std::string::npos ||
            line.find("Time Difference:") != std::string::npos)
            out += line + "\n";
    return out;
}

int16_t minutes(double degrees) {
    return static_cast<int16_t>(std::lround(degrees * 60));
}

geo::Place* newPlace(const char16_t* name, double latDeg, double lonDeg, int16_t tz = 0) {
    geo::Place* p = new geo::Place;
    p->name = name;
    p->latitude = minutes(latDeg);
    p->longitude = minutes(lonDeg);
    p->tzOffset = tz;
    return p;
}

class Overlay : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(loadFont());
        buildTrigTables();
        clearTextLog();
        gOptions = Options{};
        gView = ViewState{};
        gView.planar = true;
        gView.mapHeight = 120;
        platform::useManualClock(0, 1800000000000);  // January 2027: standard time
    }
    void TearDown() override {
        geo::deletePlaces(&geo::gDisplayedCities);
        geo::deletePlaces(&list);
        geo::clearDistancePoints();
        geo::clearSnapPoint();
        geo::cityDatabase.close();
        releaseFont();
        ScreenTest::TearDown();
    }
    // A database with one country, 0 "France", and the given cities.
    void openDatabase(const std::vector<geotest::CityFields>& cities) {
        file.country(0, u"France", 2760, 120);
        for (const geotest::CityFields& c : cities) file.city(c);
        file.end();
        ASSERT_TRUE(geo::cityDatabase.attach(file.bytes.data(), file.bytes.size()));
        geo::cityDatabase.buildIndexes();
    }
    bool columnLit(int x) const {
        for (int y = 0; y < kH; ++y)
            if (at(x, y) != 0) return true;
        return false;
    }
    geotest::FileBytes file;
    PtrList list;
};

TEST_F(Overlay, DistancesMatchHaversineAndPublishedFigures) {
    // Published great-circle figures between city centres (mean radius 6371 km). The program
    // measures with the equatorial radius, 0.11 % more, so 0.5 % covers both.
    struct Case {
        const char* what;
        double lat1, lon1, lat2, lon2;  // degrees
        double publishedKm;             // < 0: no published figure
    } cases[] = {
        {"London-New York", 51.5074, -0.1278, 40.7128, -74.0060, 5570},
        {"Sydney-Santiago, across 180", -33.8688, 151.2093, -33.4489, -70.6693, 11347},
        {"Tokyo-Paris", 35.6762, 139.6503, 48.8566, 2.3522, 9712},
        {"antipodes: half the mean circumference", 10, 20, -10, -160, 20015},
        {"a few millimetres apart", 51.5074, -0.1278, 51.50740000001, -0.1278, -1},
        {"the same point", 12.5, 33.25, 12.5, 33.25, -1},
    };
    for (const Case& c : cases) {
        double d = geo::greatCircleSegment(c.lat1 * kDeg, c.lon1 * kDeg, c.lat2 * kDeg,
                                           c.lon2 * kDeg, 0xFFFF, 0);
        ASSERT_TRUE(std::isfinite(d)) << c.what;
        EXPECT_NEAR(d, haversine(c.lat1 * kDeg, c.lon1 * kDeg, c.lat2 * kDeg, c.lon2 * kDeg), 1e-7)
            << c.what;
        if (c.publishedKm > 0)
            EXPECT_NEAR(geo::distanceInUnits(d, kUnitsKm), c.publishedKm, c.publishedKm * 0.005)
                << c.what;
    }
    EXPECT_EQ(geo::greatCircleSegment(0.1, 0.2, 0.3, 0.4, 0xFFFF, -1), 0) << "style none";
    // One radian in each unit; miles used to be 3986 a radian, every path 0.6 % longer in
    // miles than in kilometres.
    for (auto [units, expected] : {std::pair<int32_t, int>{kUnitsKm, 6378},
                                   {kUnitsMiles, 3963},
                                   {kUnitsNautical, 3437},
                                   {4711, 6378}})
        EXPECT_EQ(geo::distanceInUnits(1.0, units), expected) << units;
}

// Every point the arc is drawn through lies in the plane of its ends' great circle and at its
// share of the way along, within 1e-9 radians (6 mm on the Earth).
TEST_F(Overlay, InterpolatedPointsLieOnTheGreatCircle) {
    struct Ends {
        double lat1, lon1, lat2, lon2;  // degrees
    } ends[] = {{51.5, -0.13, 40.71, -74.0},
                {-33.87, 151.21, -33.45, -70.67},
                {80, 0, 80, 179},
                {0, -179.5, 0.5, 179.5},
                {-89, 10, 89, -170.5}};
    for (Ends e : ends) {
        Vec a = unit(e.lat1 * kDeg, e.lon1 * kDeg), b = unit(e.lat2 * kDeg, e.lon2 * kDeg);
        Vec n = cross(a, b);
        double length = std::sqrt(dot(n, n));
        double d = std::atan2(length, dot(a, b));
        for (int i = 1; i < 50; ++i) {
            double t = i / 50.0, lat, lon;
            ASSERT_TRUE(interpolateGreatCircle(e.lat1 * kDeg, e.lon1 * kDeg, e.lat2 * kDeg,
                                               e.lon2 * kDeg, d, t, &lat, &lon));
            Vec p = unit(lat, lon);
            EXPECT_NEAR(dot(p, n) / length, 0, 1e-9) << e.lat1 << "," << e.lon1 << " t " << t;
            EXPECT_NEAR(angleBetween(a, p), t * d, 1e-9) << e.lat1 << " t " << t;
        }
    }
}

// On the flat map an arc across ±180° runs off the right edge from Sydney and comes back in
// at the left edge to Santiago; it used to stop short of the left edge.
TEST_F(Overlay, FlatArcAcrossTheDateLineLeavesBothEdges) {
    ScreenPoint sydney, santiago;
    ASSERT_TRUE(projectPoint(-33.87 * kDeg, 151.21 * kDeg, &sydney));
    ASSERT_TRUE(projectPoint(-33.45 * kDeg, -70.67 * kDeg, &santiago));
    geo::greatCircleSegment(-33.87 * kDeg, 151.21 * kDeg, -33.45 * kDeg, -70.67 * kDeg, 0xF800, 0);
    EXPECT_TRUE(columnLit(0));
    EXPECT_TRUE(columnLit(kW - 1));
    for (int x = santiago.x + 2; x < sydney.x - 1; ++x)
        ASSERT_FALSE(columnLit(x)) << "the arc runs across the map at column " << x;
}

TEST_F(Overlay, GlobeArcSmoothingOneIsOneStraightLine) {
    gView.planar = false;
    gView.lonAngle = 16384;  // facing longitude 0
    ScreenPoint a, b;
    ASSERT_TRUE(projectPoint(10 * kDeg, -40 * kDeg, &a));
    ASSERT_TRUE(projectPoint(50 * kDeg, 45 * kDeg, &b));
    drawLine(a.x, a.y, b.x, b.y, 0xFFFF, 0);
    std::vector<uint16_t> straight(backBuffer(), backBuffer() + kW * kH);
    for (int smoothing : {1, 16}) {
        clear();
        gOptions.sphericalArcSmoothing = smoothing;
        geo::greatCircleSegment(10 * kDeg, -40 * kDeg, 50 * kDeg, 45 * kDeg, 0xFFFF, 0);
        EXPECT_EQ(firstDifference(straight) == -1, smoothing == 1) << smoothing;
    }
}

// Delhi (+05:30) alone, or on to London or to a bare position at London.
TEST_F(Overlay, PolylineMarkersAndLines) {
    double d = haversine(minutes(28.61) * kRadiansPerMinute, minutes(77.21) * kRadiansPerMinute,
                         minutes(51.51) * kRadiansPerMinute, minutes(-0.13) * kRadiansPerMinute);
    std::string km = std::to_string(int(d * 6378)), mi = std::to_string(int(d * 6378 / 1.609344));
    const struct {
        const char16_t* end;  // the second place's name; none when it is Delhi alone
        bool single;
        int32_t style, units;
        uint16_t lastInner;  // the marker centre of the last place
        std::string log;
    } cases[] = {
        {nullptr, true, 0, kUnitsKm, geo::kMarkerRed,
         "0 2 0x07E0 Distance: 0 km\n0 14 0x07E0 Time Difference: +00:00\n"},
        {u"London", false, 0, kUnitsKm, geo::kMarkerRed,
         "0 2 0x07E0 Distance: " + km + " km\n0 14 0x07E0 Time Difference: -05:30\n"},
        {nullptr, false, 0, kUnitsMiles, geo::kMarkerRed, "0 2 0x07E0 Distance: " + mi + " mi\n"},
        {u"London", false, -1, kUnitsKm, geo::kMarkerBlue, ""},  // style none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.log);
        clear();
        clearTextLog();
        list.addTail(newPlace(u"Delhi", 28.61, 77.21, 330));
        if (!c.single) list.addTail(newPlace(c.end, 51.51, -0.13, 0));
        gOptions.distanceUnits = c.units;
        int32_t textY = 2;
        geo::drawPlacePolyline(list, nullptr, 0x07E0, c.style, &textY);
        EXPECT_EQ(measurementLines(), c.log);
        EXPECT_EQ(textY, 2 + 12 * int(std::count(c.log.begin(), c.log.end(), '\n')));
        ScreenPoint p;
        const auto* last = static_cast<const geo::Place*>(list.tail()->data);
        ASSERT_TRUE(projectPoint(last->latitude * kRadiansPerMinute,
                                 last->longitude * kRadiansPerMinute, &p));
        EXPECT_EQ(at(p.x, p.y), c.lastInner);
        EXPECT_EQ(at(p.x - 2, p.y - 2), geo::kMarkerWhite);
        geo::deletePlaces(&list);
    }
}

TEST_F(Overlay, LabelsStayOnTheScreen) {
    openDatabase({});
    std::u16string longName = u"Villa de San Antonio de los Cobres, Departamento Los Andes";
    std::u16string huge;
    for (int i = 0; i < 300; ++i) huge += u"abc ";
    struct Case {
        const char* what;
        const char16_t* name;
        double lat, lon;
        int x, y;  // where its marker stands
        bool country;
        std::string log;  // at most the first lines
    } cases[] = {
        {"pulled in at the right edge", u"Abcdefghij", 0, 179.5, 239, 60, false,
         "180 45 0xFFFF Abcdefghij\n"},
        {"below the point near the top", u"Top", 75.3, 0, 120, 10, false, "123 13 0xFFFF Top\n"},
        {"with its country", u"Lyon", 45.2, 4.8, 123, 30, true,
         "126 3 0xFFFF Lyon\n126 15 0x07FF France\n"},
        {"wrapped", longName.c_str(), 0, 0, 120, 60, false,
         "0 45 0xFFFF Villa de San Antonio de los Cobres,\n0 55 0xFFFF Departamento Los Andes\n"},
        {"wrapped down to the bottom", huge.c_str(), 0, 0, 120, 60, false,
         "0 45 0xFFFF abc abc abc abc abc abc abc abc abc abc\n"},
    };
    gOptions.displayedCountryColor = 0x07FF;
    for (const Case& c : cases) {
        clear();
        clearTextLog();
        geo::Place place;
        place.name = c.name;
        place.latitude = minutes(c.lat);
        place.longitude = minutes(c.lon);
        place.country = c.country ? 0 : geo::kNoCountry;
        geo::drawPlace(place, geo::kMarkerWhite, geo::kMarkerBlack, 0xFFFF);
        EXPECT_EQ(textLogContents().substr(0, c.log.size()), c.log) << c.what;
        EXPECT_EQ(at(c.x - 2, c.y + 2), geo::kMarkerWhite) << c.what;
        EXPECT_EQ(at(c.x + 1, c.y - 1), geo::kMarkerBlack) << c.what;
    }
    // The huge name's lines start at y = 45 and stop where the next would pass the bottom.
    std::string log = textLogContents();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 27);
    EXPECT_NE(log.find("\n0 305 0xFFFF abc"), std::string::npos);
}

// A picture is drawn only when it fits on the screen; it used to need a column to spare.
TEST_F(Overlay, PictureOnlyWhenItFits) {
    for (int beyondRightEdge : {0, 1}) {
        clear();
        clearTextLog();
        geo::RoutePlace place;
        place.kind = geo::kPlaceCity;
        place.setName(u"Pic");
        place.picture = std::make_unique<ImageBuffer>(kSmallSprites);
        ASSERT_TRUE(place.picture->load(nullptr, true));
        int w = place.picture->width(), h = place.picture->height();
        place.imgX = kW - w - 120 + beyondRightEdge;  // the place projects at (120, 60)
        geo::drawPlace(place, geo::kMarkerWhite, geo::kMarkerBlack, 0xFFFF);
        int drawn = 0, opaque = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint16_t source = place.picture->pixels()[y * w + x];
                if (source == kTransparent || source == 0) continue;  // 0 is the cleared screen
                ++opaque;
                int sx = 120 + place.imgX + x;
                if (sx < kW && at(sx, 60 + y) == source) ++drawn;
            }
        ASSERT_GT(opaque, 0);
        EXPECT_EQ(drawn, beyondRightEdge ? 0 : opaque) << beyondRightEdge;
        EXPECT_EQ(textLogContents(), "123 45 0xFFFF Pic\n") << beyondRightEdge;
    }
}

TEST_F(Overlay, SnapsToTheFirstDisplayedPlaceWithinTheRadius) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> displayed, distance;  // arc minutes
        int lat, lon;
        const char* expected;  // "D0", "D1" (displayed), "P0" (distance point), null: none
    } cases[] = {
        {"59 north", {{600, 0}}, {}, 541, 0, "D0"},
        {"60 north", {{600, 0}}, {}, 540, 0, nullptr},
        {"list order, not nearness", {{50, 0}, {10, 0}}, {}, 0, 0, "D0"},
        {"outside, then inside", {{500, 0}, {10, 0}}, {}, 0, 0, "D1"},
        {"the short way across 180", {{0, -10794}}, {}, 0, 10794, "D0"},
        {"a distance point", {{900, 0}}, {{20, 30}}, 0, 0, "P0"},
    };
    static const char16_t* names[] = {u"D0", u"D1"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (size_t i = 0; i < c.displayed.size(); ++i)
            geo::gDisplayedCities.addTail(
                newPlace(names[i], c.displayed[i].first / 60.0, c.displayed[i].second / 60.0));
        for (auto [lat, lon] : c.distance) {
            ASSERT_TRUE(geo::addDistancePoint(lat, lon));
            static_cast<geo::Place*>(geo::gDistancePoints.tail()->data)->name = u"P0";
        }
        geo::Place out;
        out.kind = geo::kPlacePosition;
        bool hit = geo::snapPosition(c.lat, c.lon, &out);
        EXPECT_EQ(hit, c.expected != nullptr);
        if (hit) EXPECT_EQ(std::u16string(out.name), geo::widen(c.expected));
        EXPECT_EQ(out.kind, geo::kPlacePosition);
        gOptions.snapToDisplayed = false;
        EXPECT_FALSE(geo::snapPosition(c.lat, c.lon, &out)) << "option off";
        gOptions.snapToDisplayed = true;
        geo::deletePlaces(&geo::gDisplayedCities);
        geo::clearDistancePoints();
    }
}

TEST_F(Overlay, SnapPointFollowsThePick) {
    openDatabase({{u"Null Island", 255, 10, -5, 0}});
    struct Case {
        int32_t lonUnits, latUnits, lat, lon;
    } units[] = {{32768, 0, 0, 0},  {0, 0, 0, -10800},         {65536, 16384, -5400, 10800},
                 {32767, 1, 0, 0},  {0, -16384, 5400, -10800},  // truncated toward zero
                 {32764, -4, 1, -1}};
    for (Case c : units) {
        int16_t lat, lon;
        geo::pickedPositionToArcMinutes(c.lonUnits, c.latUnits, &lat, &lon);
        EXPECT_EQ(lat, c.lat) << c.latUnits;
        EXPECT_EQ(lon, c.lon) << c.lonUnits;
    }
    geo::updateSnapPoint(120, 60);  // the map's (0, 0): Null Island is 11 arc minutes away
    EXPECT_EQ(geo::gSnapPoint.kind, geo::kPlaceCity);
    EXPECT_EQ(std::u16string(geo::gSnapPoint.name), u"Null Island");
    gOptions.snapRadius = 5;
    geo::updateSnapPoint(120, 60);
    EXPECT_EQ(geo::gSnapPoint.kind, geo::kPlacePosition);
    EXPECT_EQ(geo::gSnapPoint.name, nullptr);
    geo::updateSnapPoint(120, 200);  // below the map band: nothing to show
    EXPECT_EQ(geo::gSnapPoint.kind, 0);
    gOptions.computeDistance = true;  // a measurement under way keeps the snap point
    geo::addDistancePoint(0, 0);
    geo::updateSnapPoint(120, 60);
    EXPECT_EQ(geo::gSnapPoint.kind, 0);
}

}  // namespace
