#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cj::report {

// Whether the command line asks for the live view rather than the report.
bool asksForLiveView(const std::vector<std::string>& args);

// classjournal-report --live FILE [--port N] [--no-browser]: serves the class file's lines as
// they arrive until interrupted; gives the exit status.
int liveProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cj::report
