#pragma once

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "class_reading.h"

namespace cj::report {

struct Options {
    std::vector<std::string> inputs;  // UTF-8
    Period period;
    std::optional<std::string> out;
    std::optional<std::string> classList;  // UTF-8 path
    bool help = false;
};

inline constexpr const char* kUsage =
    "Usage: classjournal-report [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--class FILE] [--out FOLDER]\n"
    "                           FOLDER-OR-FILE...\n"
    "       classjournal-report --live CLASS-FILE [--port N] [--no-browser]\n"
    "\n"
    "Reads the files Class Journal leaves for the instructor in each folder (and its subfolders)\n"
    "or file given: the students' send, notes and master files, their drafts and outboxes, and\n"
    "the class file responses.txt. Writes into the --out folder (by default the current one),\n"
    "which may not lie inside a folder that is read:\n"
    "  report.html        the term: an index, each student's totals, the register of\n"
    "                     students by days, the class file and what was passed over\n"
    "  days/              a page for each day: its students and their answers\n"
    "  participation.csv  one row per student and day, for a grade book\n"
    "  summary.csv        one row per student: days present and absent, responses, notes\n"
    "\n"
    "  --from DAY, --to DAY  only the days from, or up to, this one (both included)\n"
    "  --class FILE          the class list: a student a line, as name[,initials[,other\n"
    "                        spelling...]]; shows who is absent each day, counts other\n"
    "                        spellings under the listed name and names the others apart\n"
    "  --out FOLDER          where the files go\n"
    "  --help                this text\n"
    "\n"
    "With --live, shows the lines that reach the class file, as they arrive, on one page served\n"
    "to this computer alone, opened in the default browser, until Ctrl+C; its address, with its\n"
    "key, is the first line printed. --port N serves it on port N rather than on any free one;\n"
    "--no-browser only prints the address.\n"
    "\n"
    "Nothing in the folders read is ever changed. A file that cannot be read whole is reported\n"
    "on standard error and on the page, and the rest is read. The exit status is 0 when the\n"
    "report was written, 1 when nothing could be read or written, 2 for a wrong command line\n"
    "or days that no file read holds.\n";

// Throws std::invalid_argument with the message for a command line that cannot be followed.
Options readOptions(const std::vector<std::string>& args);

// The exit status of a command line that cannot be followed, for the report and the live view alike.
inline constexpr int kWrongCommandLine = 2;
// Tells on err what is wrong with the command line, and where help is; returns kWrongCommandLine.
int wrongCommandLine(std::ostream& err, const std::invalid_argument& wrong);

// An option given as "--name=value" or as "--name value": name is left as the option alone, and
// the value returned, taking the next argument when needed.
struct NamedOption {
    std::string name;
    std::optional<std::string> value;  // when given after "="
};
NamedOption namedOption(const std::string& arg);
std::string valueOf(const NamedOption& option, const std::vector<std::string>& args, std::size_t& i);

}  // namespace cj::report
