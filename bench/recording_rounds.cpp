// Records COUNT responses in a started run, or appends the same bytes to the same two files as
// bare appends do, COUNT times, for bench/record_calls.sh to count the system calls of both.
// Usage: recording_rounds record|bare COUNT
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "bare_append.h"
#include "started_run.h"

int main(int argc, char** argv) {
    using namespace cj::bench;
    const std::string_view mode = argc == 3 ? argv[1] : "";
    if (mode != "record" && mode != "bare") {
        std::fprintf(stderr, "usage: recording_rounds record|bare COUNT\n");
        return 2;
    }
    const int count = std::atoi(argv[2]);
    StartedRun started;
    const BareResponse bare(started);
    for (int i = 0; i < count; ++i) {
        if (mode == "bare") {
            bareAppend(bare.sendFile, bare.record);
            bareAppend(bare.classFile, bare.line);
        } else if (!started.respond()) {
            std::fprintf(stderr, "recording failed\n");
            return 1;
        }
    }
    return 0;
}
