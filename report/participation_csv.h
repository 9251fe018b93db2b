#pragma once

#include <string>

#include "class_report.h"

namespace cj::report {

// participation.csv: one row per student and day on which a record, a start or a draft of
// theirs stands, by name, then day.
std::string participationCsv(const ClassReport& report);

}  // namespace cj::report
