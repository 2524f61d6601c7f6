// Opening the options dialog beside the plain globe frame measured in the same run: every
// page built from the options, the countries of the city database sorted into their list,
// the maps/ and routes/ folders listed, the first frame drawn, then Cancel.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "base/redraw.h"
#include "dialogs/options_dialog.h"
#include "geo/city_db.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "program_setup.h"
#include "raster/back_buffer.h"
#include "raster/font.h"
#include "raster/pictures.h"
#include "ratio_reporter.h"
#include "texture/map_set.h"
#include "texture/render_sphere.h"
#include "toolkit/modal.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

constexpr int64_t kInstant = 1813575600000;  // 2027-06-21T11:00:00Z

void setUp() {
    setUpProgram("mundora-bench-options", kInstant, true);
}

void openOptions(benchmark::State& s) {
    setUp();
    if (geo::cityDatabase.recordCount() == 0) s.SkipWithError("no cities");
    for (auto _ : s) {
        openOptionsDialog();
        optionsDialogMessage(platform::WM_PAINT, 0, 0);
        optionsDialogMessage(platform::WM_COMMAND, kAnswerCancel, 0);
        benchmark::DoNotOptimize(backBuffer());
    }
}

void globeFrame(benchmark::State& s) {
    setUp();
    gView.planar = false;
    gView.radius = 118;
    for (auto _ : s) {
        gRedraw = 1;
        renderSphere();
        benchmark::DoNotOptimize(backBuffer());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const auto us = benchmark::kMicrosecond;
    benchmark::RegisterBenchmark("options/open", openOptions)->Unit(us);
    benchmark::RegisterBenchmark("frame/globe", globeFrame)->Unit(us);
    const RatioReporter& r = runRatioBenchmarks(argc, argv);
    r.printRatio("options dialog opened / globe frame", "options/open", "frame/globe", 0);
    return 0;
}
