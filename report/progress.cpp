#include "progress.h"

namespace cj::report {

namespace {

constexpr auto kQuiet = std::chrono::seconds(1);
constexpr auto kEvery = std::chrono::milliseconds(100);

}  // namespace

void Progress::warning(const std::string& line) {
    endShownLine();
    err_ << line << '\n';
}

void Progress::read(std::size_t files, std::size_t found) {
    const auto now = Clock::now();
    if (!terminal_ || now - start_ < kQuiet || (lineShown_ && now - lastShown_ < kEvery && files != found)) return;
    err_ << "\rclassjournal-report: read " << files << " of " << found << " files" << std::flush;
    lastShown_ = now;
    lineShown_ = true;
}

void Progress::done() { endShownLine(); }

void Progress::endShownLine() {
    if (lineShown_) err_ << '\n';
    lineShown_ = false;
}

}  // namespace cj::report
