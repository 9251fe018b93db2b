#include <windows.h>

#include <filesystem>
#include <iostream>

#include "path_text.h"
#include "report_program.h"
#include "system_services.h"
#include "terminal.h"

// The arguments come in UTF-16, as Windows holds folder names; the console is told that the
// program's messages are UTF-8.
int wmain(int argc, wchar_t** argv) {
    ::SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(cj::utf8Of(std::filesystem::path(argv[i])));
    cj::SystemClock clock;
    return cj::report::reportProgram(args, clock, std::cout, std::cerr, cj::report::standardErrorIsTerminal());
}
