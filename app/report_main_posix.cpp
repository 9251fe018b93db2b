#include <iostream>

#include "report_program.h"
#include "system_services.h"
#include "terminal.h"

int main(int argc, char** argv) {
    cj::SystemClock clock;
    return cj::report::reportProgram({argv + 1, argv + argc}, clock, std::cout, std::cerr,
                                     cj::report::standardErrorIsTerminal());
}
