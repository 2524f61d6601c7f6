// What the ratio benchmarks share: each benchmark repeated five times, the repetitions of all
// of them interleaved in random order, so that a slow spell of the machine falls on the
// program's code and its reference alike; the median CPU time per iteration of each kept
// for the ratios printed at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if ((run.run_type == Run::RT_Iteration || median) && run.iterations > 0)
                seconds[run.run_name.str()] = run.cpu_accumulated_time / run.iterations;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Prints seconds[a] / seconds[b] with its goal (none when goal is 0), if both ran.
    void printRatio(const char* what, const std::string& a, const std::string& b,
                    double goal) const {
        const auto x = seconds.find(a), y = seconds.find(b);
        if (x == seconds.end() || y == seconds.end() || y->second <= 0) return;
        if (goal > 0)
            std::printf("%-40s %7.3f  (goal <= %g)\n", what, x->second / y->second, goal);
        else
            std::printf("%-40s %7.3f\n", what, x->second / y->second);
    }
};

// Initializes the library with the repetition flags ahead of the command line's own, which
// win where they say otherwise.
inline void initializeRatioBenchmarks(int argc, char** argv) {
    static std::string repetitions = "--benchmark_repetitions=5";
    static std::string interleaving = "--benchmark_enable_random_interleaving=true";
    static std::vector<char*> args;
    args = {argv[0], repetitions.data(), interleaving.data()};
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
}
