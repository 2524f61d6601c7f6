// The map texture's costs, each beside a reference measured in the same run (ratios only):
// the shading pass alone vs one decode of Day.gif (bench_gif sets the decode against giflib),
// the whole rebuild vs giflib decoding both maps, globe and flat-map frames and a zoom step
// that rebuilds the column tables vs a plain copy of the back buffer.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../tests/gif/giflib_io.h"
#include "base/options.h"
#include "gif/gif_decoder.h"
#include "platform/clock.h"
#include "platform/cpu.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "program_setup.h"
#include "raster/back_buffer.h"
#include "ratio_reporter.h"
#include "texture/compose.h"
#include "texture/map_set.h"
#include "texture/render_planar.h"
#include "texture/render_sphere.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

const std::string kMaps = std::string(MUNDORA_DATA_DIR) + "/maps/";
constexpr int64_t kInstant = 1813575600000;  // 2027-06-21T11:00:00Z

std::vector<uint8_t> readMap(const char* name) {
    std::vector<uint8_t> bytes;
    platform::readFile(kMaps + name, &bytes, 64 << 20);
    return bytes;
}
const std::vector<uint8_t>& dayBytes() {
    static const std::vector<uint8_t> bytes = readMap("Day.gif");
    return bytes;
}
const std::vector<uint8_t>& nightBytes() {
    static const std::vector<uint8_t> bytes = readMap("Night.gif");
    return bytes;
}

bool decodeOurs(const std::vector<uint8_t>& bytes, void* out, int bytesPerPixel) {
    GifDecoder decoder;
    int32_t w = 0, h = 0;
    return decoder.decodeImage(bytes.data(), bytes.size(), out, bytesPerPixel, &w, &h, true);
}

void setUp() {
    setUpProgram("mundora-bench-texture", kInstant, false);
}

void decodeMundora(benchmark::State& s) {
    std::vector<uint16_t> out(2048 * 1024);
    for (auto _ : s) {
        if (!decodeOurs(dayBytes(), out.data(), 2)) s.SkipWithError("decode");
        benchmark::DoNotOptimize(out.data());
    }
}
void decodeGiflibBoth(benchmark::State& s) {
    std::vector<uint16_t> out;
    for (auto _ : s) {
        if (!gifref::decodeGiflib565(dayBytes(), &out) ||
            !gifref::decodeGiflib565(nightBytes(), &out))
            s.SkipWithError("giflib");
        benchmark::DoNotOptimize(out.data());
    }
}
void shadingPass(benchmark::State& s) {
    setUp();
    std::vector<uint32_t> day(2048 * 1024), night(2048 * 1024);
    std::vector<uint16_t> texture(2048 * 1024);
    if (!decodeOurs(dayBytes(), day.data(), 4) || !decodeOurs(nightBytes(), night.data(), 4))
        s.SkipWithError("decode");
    for (auto _ : s) {
        composeDecoded(Compositing::ShadedOverlay, day.data(), night.data(), 2048, 1024, kInstant,
                       texture.data());
        benchmark::DoNotOptimize(texture.data());
    }
}
void fullRebuild(benchmark::State& s) {
    setUp();
    for (auto _ : s)
        if (rebuildTexture(false) != 0 || !mapTexture()) s.SkipWithError("rebuild");
}
void copyBackBuffer(benchmark::State& s) {
    setUp();
    std::vector<uint16_t> copy(240 * 320);
    for (auto _ : s) {
        std::memcpy(copy.data(), backBuffer(), copy.size() * 2);
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
}
void globeFrame(benchmark::State& s) {
    setUp();
    gView.planar = false;
    gView.radius = 118;
    buildColumnTables();
    gOptions.latLonGrid = s.range(0) != 0;
    gOptions.tropicPolarCircles = s.range(0) != 0;
    for (auto _ : s) {
        renderSphere();
        benchmark::DoNotOptimize(backBuffer());
    }
    gOptions.latLonGrid = gOptions.tropicPolarCircles = false;
}
void flatFrame(benchmark::State& s) {
    setUp();
    gView.planar = true;
    setPlanarHeight(static_cast<int32_t>(s.range(0)));  // −1: the map's own size
    for (auto _ : s) {
        renderPlanar();
        benchmark::DoNotOptimize(backBuffer());
    }
    setPlanarHeight(-1);
}
// A flat-map zoom step resamples the whole band anew: the first frame at a new height.
void flatZoomStep(benchmark::State& s) {
    setUp();
    gView.planar = true;
    int step = 0;
    for (auto _ : s) {
        setPlanarHeight(320 + (++step & 1) * 20);  // the nudge-in key and back
        renderPlanar();
        benchmark::DoNotOptimize(backBuffer());
    }
    setPlanarHeight(-1);
}
// A globe zoom (arg 0) or tilt (arg 1) step: the disc table is worked out anew.
void zoomStep(benchmark::State& s) {
    setUp();
    gView.planar = false;
    gView.radius = 118;
    int step = 0;
    for (auto _ : s) {
        if (s.range(0) == 0)
            gView.radius = 118 + (++step & 1) * 4;  // the nudge-in key and back
        else
            gView.latAngle = (++step & 1) * 364;  // a 2° drag up and back
        buildColumnTables();
        renderSphere();
        benchmark::DoNotOptimize(backBuffer());
    }
    gView.latAngle = 0;
}

}  // namespace

int main(int argc, char** argv) {
    const auto ms = benchmark::kMillisecond, us = benchmark::kMicrosecond;
    benchmark::RegisterBenchmark("decode/mundora", decodeMundora)->Unit(ms);
    benchmark::RegisterBenchmark("decode/giflib-both", decodeGiflibBoth)->Unit(ms);
    benchmark::RegisterBenchmark("shade/pass", shadingPass)->Unit(ms);
    benchmark::RegisterBenchmark("rebuild/full", fullRebuild)->Unit(ms);
    benchmark::RegisterBenchmark("copy/backbuffer", copyBackBuffer)->Unit(us);
    benchmark::RegisterBenchmark("frame/globe", globeFrame)->Arg(0)->Arg(1)->Unit(us);
    benchmark::RegisterBenchmark("frame/flat", flatFrame)->Arg(-1)->Arg(320)->Arg(200)->Unit(us);
    benchmark::RegisterBenchmark("frame/zoom-step", zoomStep)->Arg(0)->Arg(1)->Unit(us);
    benchmark::RegisterBenchmark("frame/flat-zoom-step", flatZoomStep)->Unit(us);
    // scripts/bench --narrow: the plain copies of the per-pixel loops, as without AVX2.
    if (std::getenv("MUNDORA_BENCH_NARROW")) platform::allowWideLanes(false);
    const RatioReporter& r = runRatioBenchmarks(argc, argv);
    r.printRatio("shading pass / one decode", "shade/pass", "decode/mundora", 0.25);
    r.printRatio("full rebuild / giflib both maps", "rebuild/full", "decode/giflib-both", 1.3);
    r.printRatio("globe frame / back-buffer copy", "frame/globe/0", "copy/backbuffer", 25);
    r.printRatio("globe + grid + circles / copy", "frame/globe/1", "copy/backbuffer", 0);
    r.printRatio("flat frame (own size) / copy", "frame/flat/-1", "copy/backbuffer", 20);
    r.printRatio("flat frame (height 320) / copy", "frame/flat/320", "copy/backbuffer", 20);
    r.printRatio("flat frame (height 200, 3x3) / copy", "frame/flat/200", "copy/backbuffer", 20);
    r.printRatio("globe zoom step with tables / copy", "frame/zoom-step/0", "copy/backbuffer", 0);
    r.printRatio("globe tilt step with tables / copy", "frame/zoom-step/1", "copy/backbuffer", 0);
    r.printRatio("flat zoom step, band resampled / copy", "frame/flat-zoom-step", "copy/backbuffer",
                 0);
    return 0;
}
