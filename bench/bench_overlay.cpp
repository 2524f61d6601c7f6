// The overlay pass's costs beside the plain globe frame measured in the same run: a full
// overlay frame (all country labels, 100 displayed cities, a 500-point route, a snapped city
// with every panel line) and the snap made on each stylus move (pick and nearest-city search).
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "base/options.h"
#include "base/redraw.h"
#include "geo/city_db.h"
#include "geo/overlay_pass.h"
#include "geo/place_lists.h"
#include "geo/route_place.h"
#include "geo/snapping.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "program_setup.h"
#include "raster/back_buffer.h"
#include "raster/font.h"
#include "raster/pictures.h"
#include "ratio_reporter.h"
#include "texture/compose.h"
#include "texture/map_set.h"
#include "texture/render_sphere.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

constexpr int64_t kInstant = 1813575600000;  // 2027-06-21T11:00:00Z
constexpr int kDisplayedCities = 100;
constexpr int kRoutePoints = 500;

PtrList gRoute;

// 100 cities spread over the records on the globe's front half (longitudes −170° .. −10°).
void displayCities() {
    std::vector<const geo::CityRecord*> front;
    const geo::CityDatabase& db = geo::cityDatabase;
    for (const geo::CityRecord* r = db.firstRecord(); r; r = db.nextRecord(r))
        if (geo::recordLongitude(r) > -170 * 60 && geo::recordLongitude(r) < -10 * 60)
            front.push_back(r);
    for (int i = 0; i < kDisplayedCities && !front.empty(); ++i) {
        auto* city = new geo::Place;
        city->fillFromRecord(front[front.size() * i / kDisplayedCities]);
        geo::gDisplayedCities.addTail(city);
    }
}

// A winding route across the front half, every 50th point labelled.
void makeRoute() {
    for (int i = 0; i < kRoutePoints; ++i) {
        auto* point = new geo::RoutePlace;
        const double f = double(i) / (kRoutePoints - 1);
        point->latitude = int16_t((-50 + 110 * f) * 60);
        point->longitude = int16_t((-150 + 120 * f + 10 * std::sin(i / 10.0)) * 60);
        if (i % 50 == 0) point->setName(u"Stage " + std::u16string(1, char16_t(u'A' + i / 50)));
        gRoute.addTail(static_cast<geo::Place*>(point));
    }
}

void setUp() {
    static bool done = false;
    if (done) return;
    done = true;
    setUpProgram("mundora-bench-overlay", kInstant, true);
    displayCities();
    makeRoute();
}

void plainGlobe(benchmark::State& s) {
    setUp();
    for (auto _ : s) {
        renderSphere();
        benchmark::DoNotOptimize(backBuffer());
    }
}

void overlayFrame(benchmark::State& s) {
    setUp();
    gOptions.showAllCountries = gOptions.showSelectedCities = gOptions.showSelectedFiles = true;
    gOptions.sunSpot = gOptions.antipodes = true;
    gOptions.sphericalArcSmoothing = 16;
    geo::gSnapPoint.kind = geo::kPlaceCity;
    if (!geo::snapPosition(1503, -4641, &geo::gSnapPoint)) s.SkipWithError("no city to snap");
    const geo::RouteLines route{&gRoute, 0xF800, 0};
    for (auto _ : s) {
        gRedraw = 1;
        geo::drawOverlayPass(route);
        benchmark::DoNotOptimize(backBuffer());
    }
}

// The snap of one stylus move, over points spread across the globe's disc.
void snapOnMove(benchmark::State& s) {
    setUp();
    int step = 0;
    for (auto _ : s) {
        const int x = 40 + (step * 37) % 160, y = 80 + (step * 53) % 160;
        ++step;
        geo::updateSnapPoint(x, y);
        benchmark::DoNotOptimize(geo::gSnapPoint.name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const auto us = benchmark::kMicrosecond;
    benchmark::RegisterBenchmark("frame/globe", plainGlobe)->Unit(us);
    benchmark::RegisterBenchmark("frame/overlay", overlayFrame)->Unit(us);
    benchmark::RegisterBenchmark("snap/move", snapOnMove)->Unit(us);
    const RatioReporter& r = runRatioBenchmarks(argc, argv);
    r.printRatio("full overlay frame / globe frame", "frame/overlay", "frame/globe", 4);
    r.printRatio("snap on a stylus move / globe frame", "snap/move", "frame/globe", 1);
    return 0;
}
