#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <utility>
#include <string>
#include <vector>

namespace cj::bench {

// Wall time for work that waits on the disk; processor time for work on the one GUI thread,
// which other processes on the machine would otherwise make look slower than it is.
enum class Timing { Wall, Processor };

// A benchmark measured against a baseline run in the same process, with the largest ratio allowed.
struct Ratio {
    std::string measured, baseline;
    double limit;
    Timing timing = Timing::Wall;
};

// Keeps the median times of every benchmark while printing as usual.
class MedianCollector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name != "median") continue;
            medians[{run.run_name.function_name, Timing::Wall}] = run.GetAdjustedRealTime();
            medians[{run.run_name.function_name, Timing::Processor}] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::pair<std::string, Timing>, double> medians;
};

// Runs every registered benchmark, then prints each ratio; exits non-zero when one is over its limit.
// The repetitions of a measurement and of its baseline take turns, so that whatever else the
// machine does falls on both alike.
inline int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
    std::vector<char*> args(argv, argv + argc);
    char interleaved[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleaved);
    argc = static_cast<int>(args.size());
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    int over = 0;
    for (const Ratio& r : ratios) {
        const auto m = reporter.medians.find({r.measured, r.timing});
        const auto b = reporter.medians.find({r.baseline, r.timing});
        if (m == reporter.medians.end() || b == reporter.medians.end()) continue;
        const double ratio = m->second / b->second;
        std::printf("ratio %s / %s = %.3f in %s time (at most %.2f)%s\n", r.measured.c_str(), r.baseline.c_str(),
                    ratio, r.timing == Timing::Wall ? "wall" : "processor", r.limit, ratio <= r.limit ? "" : "  OVER");
        over += ratio > r.limit;
    }
    std::fflush(stdout);
    return over == 0 ? 0 : 1;
}

}  // namespace cj::bench
