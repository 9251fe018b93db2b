#pragma once

#include <string>

#include "class_report.h"

namespace cj::report {

// participation.csv: one row per student and day on which the student opened the program,
// by name, then day. RFC 4180 (CR LF rows, fields quoted where they must be), UTF-8 with a
// byte order mark, so that a spreadsheet on Windows reads it as UTF-8.
std::string participationCsv(const ClassReport& report);

}  // namespace cj::report
