// Prints the names the program gives a student's files on a day, for the scripts that check
// them: print_file_names NAME MM-DD-YYYY prints a line "kind file-name" for each kind, then
// the class file's and the names of the report's two files.

#include <iostream>
#include <string>
#include <utility>

#include "file_names.h"
#include "fixed_texts.h"
#include "report_program.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: print_file_names NAME MM-DD-YYYY\n";
        return 2;
    }
    const std::string day = argv[2];
    const cj::StudentFileNames names = cj::studentFileNames("", argv[1], day);
    const std::pair<const char*, std::string> byKind[] = {
        {"master", names.master}, {"send", names.send},   {"notes", names.notes},
        {"draft", names.draft},   {"outbox", names.outbox}, {"inuse", names.inUse},
        {"unsent_of_day", cj::unsentOfDay(names.outbox, day)},
        {"unsent_of_day_elsewhere", cj::unsentOfDayElsewhere(names.outbox, day)}, {"record", cj::progressFileOf(names.draft)},
        {"delivery", cj::progressFileOf(names.outbox)},
        {"class", cj::kClassFileName}, {"report_page", cj::report::kPageFile}, {"report_table", cj::report::kTableFile},
    };
    for (const auto& [kind, path] : byKind) std::cout << kind << ' ' << path.substr(path.rfind('\\') + 1) << '\n';
    return std::cout.flush() ? 0 : 1;
}
