#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "computer.h"

namespace cj::report {

inline const std::string kPageFile = "report.html";
inline const std::string kTableFile = "participation.csv";

// classjournal-report with its arguments (UTF-8, the program's name left out); gives the exit
// status. clock tells when the report is made and when a draft was last written.
int reportProgram(const std::vector<std::string>& args, Clock& clock, std::ostream& out, std::ostream& err,
                  bool errIsTerminal);

}  // namespace cj::report
