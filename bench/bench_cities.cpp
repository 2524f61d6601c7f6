// City database speed: mapping cities.bin and building both trees (the goal: at most 20 ms),
// and prefix searches of one and three letters, each beside a reference measured in the same
// run: a plain read of the same file's bytes, and a plain pass over every byte of the mapped
// file.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "geo/city_db.h"
#include "platform/files.h"
#include "ratio_reporter.h"

namespace {

const char kFile[] = MUNDORA_DATA_DIR "/cities.bin";

void BM_ReadFileBytes(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        bytes.clear();
        platform::readFile(kFile, &bytes, 64 << 20);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

void BM_OpenAndBuildTrees(benchmark::State& state) {
    for (auto _ : state) {
        geo::CityDatabase db;
        if (!db.open(kFile)) state.SkipWithError("cities.bin missing");
        db.buildIndexes();
        benchmark::DoNotOptimize(db.recordCount());
    }
}
BENCHMARK(BM_OpenAndBuildTrees)->Unit(benchmark::kMillisecond);

// A pass over every byte of the mapping: the least any scan of the records can cost.
void BM_ScanMappedBytes(benchmark::State& state) {
    platform::MappedFile file;
    if (!file.open(kFile)) state.SkipWithError("cities.bin missing");
    for (auto _ : state) {
        uint32_t sum = 0;
        for (size_t i = 0; i < file.size(); ++i) sum += file.data()[i];
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ScanMappedBytes)->Unit(benchmark::kMillisecond);

void prefixSearch(benchmark::State& state, const char16_t* prefix) {
    geo::CityDatabase db;
    if (!db.open(kFile)) state.SkipWithError("cities.bin missing");
    db.buildIndexes();
    geo::RecordList found;
    for (auto _ : state) {
        found.clear();
        db.prefixSearch(prefix, 20000, &found);
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["matches"] = double(found.size());
}

void BM_PrefixOneLetter(benchmark::State& state) {
    prefixSearch(state, u"s");
}
void BM_PrefixThreeLetters(benchmark::State& state) {
    prefixSearch(state, u"san");
}
BENCHMARK(BM_PrefixOneLetter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrefixThreeLetters)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const RatioReporter& r = runRatioBenchmarks(argc, argv);
    r.printTime("cities.bin open + both trees / plain read", "BM_OpenAndBuildTrees",
                "BM_ReadFileBytes", 20);
    r.printRatio("prefix search \"s\" / pass over the file", "BM_PrefixOneLetter",
                 "BM_ScanMappedBytes", 0);
    r.printRatio("prefix search \"san\" / pass over the file", "BM_PrefixThreeLetters",
                 "BM_ScanMappedBytes", 0);
    return 0;
}
