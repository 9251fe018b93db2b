#pragma once

namespace cj::report {

// Whether standard error goes to a terminal, where a person watches it; one file per system.
bool standardErrorIsTerminal();

}  // namespace cj::report
