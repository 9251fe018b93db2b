#include "class_report.h"

#include <algorithm>

namespace cj::report {

void Attendance::seen(int seconds) {
    firstSeconds = firstSeconds < 0 ? seconds : std::min(firstSeconds, seconds);
    lastSeconds = std::max(lastSeconds, seconds);
}

int Attendance::count(RecordRead::Kind kind) const {
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.kind == kind; }));
}

}  // namespace cj::report
