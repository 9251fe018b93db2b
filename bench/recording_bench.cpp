#include <fcntl.h>
#include <unistd.h>

#include "fakes.h"
#include "ratio_main.h"
#include "run.h"

namespace {

using namespace cj;
using namespace cj::test;

const std::string kResponse = "The current doubles when the resistance is halved, by Ohm's law.";

// A started run whose files lie in a temporary folder.
struct StartedRun : FakePlatform {
    cj::Run run{platform()};

    StartedRun() {
        dialogs.answers = {"1", "Student One", "STO", "1"};
        run.startRun();
        run.openAssignment();
    }
};

void appendFlushClose(const std::filesystem::path& file, const std::string& bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::fsync(fd) != 0) {
        std::abort();
    }
    ::close(fd);
}

void RecordResponse(benchmark::State& state) {
    StartedRun started;
    for (auto _ : state) {
        started.boxes.answer = kResponse;
        started.run.enterResponse();
    }
    if (!started.dialogs.messages.empty()) state.SkipWithError("recording failed");
}

// The same bytes to the same two files, with nothing but the system calls: no length check,
// no lock on either file, no look for an outbox, no close through a duplicate.
void BareAppend(benchmark::State& state) {
    StartedRun started;
    started.boxes.answer = kResponse;
    started.run.enterResponse();
    const auto sendFile = started.temp.path() / "c" / "qorsdata" / test::fileNamesOf().send;
    const auto responses = started.temp.path() / "i" / "responses.txt";
    const std::string sent = readBytes(sendFile);
    const std::string record = sent.substr(sent.rfind("......!!!!!!!!", sent.rfind("RESPONSE")));
    const std::string line = kResponse + "\r\n";
    for (auto _ : state) {
        appendFlushClose(sendFile, record);
        appendFlushClose(responses, line);
    }
}

BENCHMARK(RecordResponse)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BareAppend)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return cj::bench::runWithRatios(argc, argv, {{"RecordResponse", "BareAppend", 1.2}});
}
