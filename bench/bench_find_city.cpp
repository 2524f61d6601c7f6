// One keystroke in Find City (the prefix search, the list emptied and refilled, and one frame
// of the dialog) beside the bare prefix search of the same text, for "s" and "san", both
// measured in the same run. The keystroke is the last letter typed after the others.
#include <benchmark/benchmark.h>

#include <string>

#include "dialogs/find_city.h"
#include "embedded_resources.h"
#include "geo/city_db.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "raster/back_buffer.h"
#include "raster/font.h"
#include "raster/pictures.h"
#include "ratio_reporter.h"

namespace {

const char kFile[] = MUNDORA_DATA_DIR "/cities.bin";

bool setUp() {
    static const bool ready = [] {
        size_t count = 0;
        const platform::Resource* table = embeddedResources(&count);
        platform::registerResources(table, count);
        gDisplay = {240, 320, 2, 480, 16};
        return allocateBackBuffer() && loadFont() && loadInterfacePictures() &&
               geo::cityDatabase.open(kFile);
    }();
    return ready;
}

void bareSearch(benchmark::State& state, const char16_t* prefix) {
    if (!setUp()) state.SkipWithError("no cities.bin or pictures");
    geo::RecordList found;
    for (auto _ : state) {
        found.clear();
        geo::cityDatabase.prefixSearch(prefix, FindCityDialog::kMaxMatches, &found);
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["matches"] = double(found.size());
}

void keystroke(benchmark::State& state, const char16_t* prefix) {
    if (!setUp()) state.SkipWithError("no cities.bin or pictures");
    const std::u16string text(prefix);
    const std::u16string before = text.substr(0, text.size() - 1);
    FindCityDialog dialog;
    dialog.setup(120, 0, FindCityDialog::kWidth, FindCityDialog::kHeight);
    for (auto _ : state) {
        state.PauseTiming();
        dialog.field().setText(before.c_str());  // the list of the letters typed before
        dialog.field().OnKey(platform::VK_END, 2);
        state.ResumeTiming();
        dialog.field().OnKey(text.back(), 1);
        dialog.Draw();
        benchmark::DoNotOptimize(backBuffer());
    }
    state.counters["matches"] = double(dialog.list().items().count());
}

}  // namespace

int main(int argc, char** argv) {
    const auto ms = benchmark::kMillisecond;
    benchmark::RegisterBenchmark("search/s", bareSearch, u"s")->Unit(ms);
    benchmark::RegisterBenchmark("search/san", bareSearch, u"san")->Unit(ms);
    benchmark::RegisterBenchmark("keystroke/s", keystroke, u"s")->Unit(ms);
    benchmark::RegisterBenchmark("keystroke/san", keystroke, u"san")->Unit(ms);
    const RatioReporter& r = runRatioBenchmarks(argc, argv);
    r.printRatio("Find City keystroke / search, \"s\"", "keystroke/s", "search/s", 3);
    r.printRatio("Find City keystroke / search, \"san\"", "keystroke/san", "search/san", 3);
    return 0;
}
