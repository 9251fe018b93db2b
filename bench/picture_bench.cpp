#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "ratio_main.h"
#include "window_bench.h"

namespace {

using cj::bench::StartedWindow;

// Resident memory in kilobytes, to show that the drawing does not grow with the circles.
long residentKilobytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void tickAfter(benchmark::State& state, int earlierTicks) {
    StartedWindow started;
    for (int i = 0; i < earlierTicks; ++i) started.window.run().timerTick();
    QCoreApplication::processEvents();
    const long before = residentKilobytes();
    for (auto _ : state) {
        started.window.run().timerTick();
        QCoreApplication::processEvents();  // the repaint belongs to the tick
    }
    state.counters["rss_growth_kB"] = static_cast<double>(residentKilobytes() - before);
}

void TickAfterTenCircles(benchmark::State& state) { tickAfter(state, 10); }
void TickAfter100000Circles(benchmark::State& state) { tickAfter(state, 100'000); }

BENCHMARK(TickAfterTenCircles)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(TickAfter100000Circles)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    cj::bench::drawOffscreenUnlessAsked();
    QApplication app(argc, argv);
    const long start = residentKilobytes();
    const int status = cj::bench::runWithRatios(
        argc, argv, {{"TickAfter100000Circles", "TickAfterTenCircles", 1.1, cj::bench::Timing::Processor}});
    std::printf("resident memory grew by %ld kB over every run\n", residentKilobytes() - start);
    return status;
}
