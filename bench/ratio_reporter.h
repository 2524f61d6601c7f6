// What the ratio benchmarks share: each benchmark repeated five times, the repetitions of all
// of them interleaved in random order, so that a slow spell of the machine falls on the
// program's code and its reference alike; the median CPU time per iteration of each kept
// for the table rows printed at the end (figure, reference, ratio, goal).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// A time with three significant digits in the unit that suits it.
inline std::string timeText(double seconds) {
    const char* units[] = {"ns", "us", "ms", "s"};
    double value = seconds * 1e9;
    int unit = 0;
    for (; value >= 1000 && unit < 3; ++unit) value /= 1000;
    char text[32];
    const int decimals = value < 10 ? 2 : value < 100 ? 1 : 0;
    std::snprintf(text, sizeof text, "%.*f %s", decimals, value, units[unit]);
    return text;
}

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
    // Prints one row of the table scripts/bench gathers (what, figure, reference, ratio, goal,
    // verdict): seconds[a] beside seconds[b], their ratio and its goal (none when goal is 0),
    // if both ran.
    void printRatio(const char* what, const std::string& a, const std::string& b,
                    double goal) const {
        const double ratio = this->ratio(a, b);
        if (ratio < 0) return;
        char text[32] = "";
        if (goal > 0) std::snprintf(text, sizeof text, "<= %g", goal);
        printRow(what, a, b, text, goal > 0 ? (ratio <= goal ? "met" : "MISSED") : "");
    }
    // The same row for a figure whose goal is its own time: at most goalMs milliseconds.
    void printTime(const char* what, const std::string& a, const std::string& b,
                   double goalMs) const {
        if (ratio(a, b) < 0) return;
        char text[32];
        std::snprintf(text, sizeof text, "<= %g ms", goalMs);
        printRow(what, a, b, text, seconds.at(a) * 1e3 <= goalMs ? "met" : "MISSED");
    }

  private:
    // seconds[a] / seconds[b], or −1 when either did not run.
    double ratio(const std::string& a, const std::string& b) const {
        const auto x = seconds.find(a), y = seconds.find(b);
        if (x == seconds.end() || y == seconds.end() || y->second <= 0) return -1;
        return x->second / y->second;
    }
    void printRow(const char* what, const std::string& a, const std::string& b, const char* goal,
                  const char* verdict) const {
        std::printf("| %-44s | %9s | %9s | %8.3f | %-9s | %-6s |\n", what,
                    timeText(seconds.at(a)).c_str(), timeText(seconds.at(b)).c_str(), ratio(a, b),
                    goal, verdict);
    }
};

// Initializes the library with the repetition flags ahead of the command line's own (which
// win where they say otherwise), runs every registered benchmark and gives their times.
inline const RatioReporter& runRatioBenchmarks(int argc, char** argv) {
    static std::string repetitions = "--benchmark_repetitions=5";
    static std::string interleaving = "--benchmark_enable_random_interleaving=true";
    static std::vector<char*> args;
    args = {argv[0], repetitions.data(), interleaving.data()};
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    static RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter;
}
