// Decoding a 2048 × 1024 map to RGB565: the program's decoder against giflib (DGifSlurp, then
// a palette lookup into the same output buffer), both in this run. Prints the time ratio per
// file at the end; the goal is at most 0.8. Uses the built Day.gif when there is one, and a
// synthetic 256-colour map, plain and interlaced.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../tests/gif/giflib_io.h"
#include "gif/gif_decoder.h"
#include "platform/files.h"
#include "ratio_reporter.h"

namespace {

struct BenchFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

std::vector<BenchFile>& files() {
    static std::vector<BenchFile> list = [] {
        std::vector<BenchFile> out;
        std::vector<uint8_t> day;
        if (platform::readFile(std::string(MUNDORA_DATA_DIR) + "/maps/Day.gif", &day, 64 << 20))
            out.push_back({"Day.gif", day});
        out.push_back(
            {"synthetic", gifref::writeWithGiflib(gifref::earthLike(2048, 1024, false, 1))});
        out.push_back({"synthetic-interlaced",
                       gifref::writeWithGiflib(gifref::earthLike(2048, 1024, true, 1))});
        return out;
    }();
    return list;
}

void decodeWithMundora(benchmark::State& state, const BenchFile* file) {
    GifDecoder probe;
    int32_t w = 0, h = 0;
    if (!probe.decodeImage(file->bytes.data(), file->bytes.size(), nullptr, 2, &w, &h, false)) {
        state.SkipWithError("header");
        return;
    }
    std::vector<uint16_t> out(static_cast<size_t>(w) * h);
    for (auto _ : state) {
        GifDecoder decoder;
        if (!decoder.decodeImage(file->bytes.data(), file->bytes.size(), out.data(), 2, &w, &h,
                                 true))
            state.SkipWithError("decode");
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

void decodeWithGiflib(benchmark::State& state, const BenchFile* file) {
    std::vector<uint16_t> out;
    for (auto _ : state) {
        if (!gifref::decodeGiflib565(file->bytes, &out)) {
            state.SkipWithError("giflib");
            return;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (const BenchFile& file : files()) {
        benchmark::RegisterBenchmark(("mundora/" + file.name).c_str(), decodeWithMundora, &file)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("giflib/" + file.name).c_str(), decodeWithGiflib, &file)
            ->Unit(benchmark::kMillisecond);
    }
    const RatioReporter& reporter = runRatioBenchmarks(argc, argv);
    for (const BenchFile& file : files())
        reporter.printRatio(("decode " + file.name + " / giflib").c_str(), "mundora/" + file.name,
                            "giflib/" + file.name, 0.8);
    return 0;
}
