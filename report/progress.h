#pragma once

#include <chrono>
#include <ostream>
#include <string>

namespace cj::report {

// Standard error while files are read: each warning on a line of its own, and, once the reading
// has taken over a second and a person watches a terminal, how many files are read, on one line
// that is written over.
class Progress {
public:
    Progress(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}

    void warning(const std::string& line);
    void read(std::size_t files, std::size_t found);
    void done();

private:
    using Clock = std::chrono::steady_clock;
    void endShownLine();

    std::ostream& err_;
    bool terminal_;
    const Clock::time_point start_ = Clock::now();
    Clock::time_point lastShown_;
    bool lineShown_ = false;
};

}  // namespace cj::report
