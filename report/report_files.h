#pragma once

#include <filesystem>
#include <string>

#include "class_report.h"

namespace cj::report {

// Beside report.html and participation.csv.
inline const std::string kSummaryFile = "summary.csv";

// Writes the report's files into the folder: each whole or not at all, for a browser that shows
// a page while it is made again, with the permissions the user gives new files; day pages of an
// earlier report that this one does not hold are removed. Throws RunError.
void writeReportFiles(const ClassReport& report, const std::filesystem::path& folder, const std::string& madeAt);

// One implementation per system: the permissions new files get, given to a file made private.
void giveUsualPermissions(const std::filesystem::path& file);

}  // namespace cj::report
