#include "bare_append.h"
#include "ratio_main.h"
#include "started_run.h"

namespace {

using namespace cj::bench;

void RecordResponse(benchmark::State& state) {
    StartedRun started;
    bool told = false;
    for (auto _ : state) told |= !started.respond();
    if (told) state.SkipWithError("recording failed");
}

// The same bytes to the same two files, with nothing but the system calls: no length check,
// no lock on either file, no look for an outbox.
void BareAppend(benchmark::State& state) {
    StartedRun started;
    const BareResponse bare(started);
    for (auto _ : state) {
        bareAppend(bare.sendFile, bare.record);
        bareAppend(bare.classFile, bare.line);
    }
}

BENCHMARK(RecordResponse)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BareAppend)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return cj::bench::runWithRatios(argc, argv, {{"RecordResponse", "BareAppend", 1.25}});
}
