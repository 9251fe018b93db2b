#pragma once

#include <string>

#include "class_report.h"

namespace cj::report {

// report.html: one page that needs nothing beside it, newest day first, and prints well.
// madeAt: when the report was made, as the files write a date and time.
std::string htmlPage(const ClassReport& report, const std::string& madeAt);

}  // namespace cj::report
