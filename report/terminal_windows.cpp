#include <io.h>

#include <cstdio>

#include "terminal.h"

namespace cj::report {

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace cj::report
