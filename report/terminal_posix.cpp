#include <unistd.h>

#include "terminal.h"

namespace cj::report {

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace cj::report
