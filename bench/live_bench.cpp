// The live view against the class file it follows, run as the instructor runs it
// (classjournal-report --live in a process of its own) and asked as its page asks:
// - 60 programs each recording a response a second (LIVE_SECONDS, 60 by default): the time from
//   each line's append to a page polling as the live page does, median and worst (at most 1 s);
// - its peak resident memory once its page has read 10,000 and 100,000 lines (at most 1.1 times);
// - a response's recording while the view follows the class file and a page polls it ten
//   times a second, against the same recording without the view (at most 1.05 times).
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <regex>
#include <thread>

#include "httplib.h"
#include "ratio_main.h"
#include "started_run.h"

extern char** environ;

namespace {

using namespace cj::bench;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// classjournal-report --live on a class file, stopped with Ctrl+C when it goes.
class LiveView {
public:
    explicit LiveView(const fs::path& classFile) {
        int out[2];
        if (::pipe(out) != 0) throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::string program = CLASSJOURNAL_REPORT, live = "--live", file = classFile.string(), quiet = "--no-browser";
        char* argv[] = {program.data(), live.data(), file.data(), quiet.data(), nullptr};
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) != 0) throw std::runtime_error("spawn");
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        char c = 0;
        while (::read(out[0], &c, 1) == 1 && c != '\n') address_ += c;
        ::close(out[0]);
        std::smatch parts;
        if (!std::regex_match(address_, parts, std::regex("http://127.0.0.1:([0-9]+)(/.*/)")))
            throw std::runtime_error("no address");
        port_ = std::stoi(parts[1]);
        path_ = parts[2];
    }
    ~LiveView() {
        ::kill(pid_, SIGINT);
        ::waitpid(pid_, nullptr, 0);
    }
    // The lines the page is sent from its place on, which moves past them.
    std::vector<std::string> poll(std::uint64_t& place) {
        httplib::Client client("127.0.0.1", port_);
        const auto answer = client.Get(path_ + "lines?reading=0&from=" + std::to_string(place));
        std::vector<std::string> lines;
        if (!answer || answer->status != 200) return lines;
        const std::string& json = answer->body;
        place = std::stoull(json.substr(json.find("\"next\":") + 7));
        for (std::size_t at = json.find("\"lines\":[") + 9; json[at] == '"';) {
            const std::size_t end = json.find('"', at + 1);
            lines.push_back(json.substr(at + 1, end - at - 1));
            at = end + 1 + (json[end + 1] == ',');
        }
        return lines;
    }
    // The peak resident size so far, which the system's reclaiming of pages does not lower.
    long peakKiB() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
        return 0;
    }

private:
    pid_t pid_ = 0;
    std::string address_, path_;
    int port_ = 0;
};

constexpr auto kPagePoll = std::chrono::milliseconds(400);  // as the live page asks when nothing came

int latencyAndMemory(int seconds) {
    constexpr int kWriters = 60;
    cj::test::TempDir share;
    const fs::path classFile = share.path() / "responses.txt";
    LiveView view(classFile);
    std::vector<std::atomic<std::int64_t>> appended(kWriters * seconds), shown(kWriters * seconds);
    const auto now = [] { return Clock::now().time_since_epoch().count(); };
    std::atomic<bool> writing = true;
    std::thread page([&] {
        std::uint64_t place = 0;
        while (writing) {
            const std::vector<std::string> lines = view.poll(place);
            for (const std::string& line : lines) shown[std::stoul(line.substr(7))] = now();
            if (lines.empty()) std::this_thread::sleep_for(kPagePoll);
        }
    });
    const auto start = Clock::now() + std::chrono::seconds(1);
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            StartedRun started;
            started.drives = cj::DriveMap([&, root = started.temp.path()](char letter) -> fs::path {
                return letter == 'i' ? share.path() : root / std::string(1, letter);
            });
            for (int s = 0; s < seconds; ++s) {
                std::this_thread::sleep_until(start + std::chrono::seconds(s) + std::chrono::milliseconds(w * 1000 / kWriters));
                const int id = w * seconds + s;
                started.boxes.answer = "answer " + std::to_string(id);
                started.run.enterResponse();
                appended[id] = now();
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    writing = false;
    page.join();
    std::vector<double> delays;
    for (int id = 0; id < kWriters * seconds; ++id)
        delays.push_back(shown[id] ? std::max<std::int64_t>(0, shown[id] - appended[id]) / 1e6 : 1e9);
    std::sort(delays.begin(), delays.end());
    std::printf("%d programs x %d s: %zu lines, from the append to the page median %.0f ms, worst %.0f ms (at most 1000)\n",
                kWriters, seconds, delays.size(), delays[delays.size() / 2], delays.back());

    // Lines added as fast as they can be written, the page reading all along.
    std::uint64_t place = 0;
    std::size_t read = 0;
    long peakAt10k = 0;
    for (int thousands = 1; thousands <= 100; ++thousands) {
        std::ofstream(classFile, std::ios::binary | std::ios::app) << [] {
            std::string lines;
            for (int i = 0; i < 1000; ++i) lines += "answer 0 " + std::string(50, 'x') + "\r\n";
            return lines;
        }();
        for (int polls = 0; polls < 100 && read < static_cast<std::size_t>(thousands) * 1000; ++polls) read += view.poll(place).size();
        if (thousands != 10) continue;
        // The page asks for them all again, as when it shows the earlier lines: each of the
        // server's threads has then answered a full request, and the peak no longer depends on
        // which of them answer next.
        for (std::uint64_t again = 0; again < place;) view.poll(again);
        peakAt10k = view.peakKiB();
    }
    const long peakAt100k = view.peakKiB();
    const double growth = static_cast<double>(peakAt100k) / static_cast<double>(peakAt10k);
    std::printf("the view's peak memory: %ld KiB at 10,000 lines, %ld KiB at 100,000: %.3f times (at most 1.1)\n",
                peakAt10k, peakAt100k, growth);
    return delays.back() > 1000 || growth > 1.1;
}

// The responses of RecordResponse, recorded while the view follows their class file.
void RecordResponseWatched(benchmark::State& state) {
    StartedRun started;
    started.respond();
    LiveView view(started.temp.path() / "i" / "responses.txt");
    std::atomic<bool> recording = true;
    std::thread page([&] {
        std::uint64_t place = 0;
        while (recording) {
            view.poll(place);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    bool told = false;
    for (auto _ : state) told |= !started.respond();
    recording = false;
    page.join();
    if (told) state.SkipWithError("recording failed");
}

void RecordResponse(benchmark::State& state) {
    StartedRun started;
    bool told = false;
    for (auto _ : state) told |= !started.respond();
    if (told) state.SkipWithError("recording failed");
}

BENCHMARK(RecordResponseWatched)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordResponse)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const char* seconds = std::getenv("LIVE_SECONDS");
    const int over = latencyAndMemory(seconds ? std::atoi(seconds) : 60);
    return cj::bench::runWithRatios(argc, argv, {{"RecordResponseWatched", "RecordResponse", 1.05}}) | over;
}
