#include "report_program.h"

#include <filesystem>
#include <stdexcept>

#include "class_reading.h"
#include "clock_text.h"
#include "failure_words.h"
#include "file_discovery.h"
#include "live_program.h"
#include "options.h"
#include "page_text.h"
#include "path_text.h"
#include "progress.h"
#include "report_files.h"
#include "run_error.h"
#include "text_files.h"

namespace cj::report {

namespace {

namespace fs = std::filesystem;

constexpr int kWritten = 0, kNothing = 1;

fs::path wholePath(const fs::path& path) {
    std::error_code error;
    fs::path whole = fs::weakly_canonical(fs::absolute(path), error);
    return error ? fs::absolute(path).lexically_normal() : whole;
}

// Nothing is written where the report reads: not into an input folder, nor below one.
bool inside(const fs::path& out, const fs::path& input) {
    const fs::path relative = wholePath(out).lexically_relative(wholePath(input));
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

int reportProgram(const std::vector<std::string>& args, Clock& clock, std::ostream& out, std::ostream& err,
                  bool errIsTerminal) {
    if (asksForLiveView(args)) return liveProgram(args, out, err);
    Options options;
    try {
        options = readOptions(args);
    } catch (const std::invalid_argument& wrong) {
        return wrongCommandLine(err, wrong);
    }
    if (options.help) {
        out << kUsage;
        return kWritten;
    }
    const fs::path outFolder = pathFromUtf8(options.out.value_or("."));
    std::vector<fs::path> inputs;
    for (const std::string& input : options.inputs) {
        inputs.push_back(pathFromUtf8(input));
        if (inside(outFolder, inputs.back())) {
            err << "classjournal-report: the report would be written inside " << input
                << ", which it reads; give --out a folder outside it\n";
            return kWrongCommandLine;
        }
    }

    ClassReport report;
    report.inputs = options.inputs;
    try {
        if (options.classList) report.classList = ClassList::read(pathFromUtf8(*options.classList));
    } catch (const std::invalid_argument& wrong) {
        err << "classjournal-report: " << wrong.what() << "\n";
        return kWrongCommandLine;
    }
    Progress progress(err, errIsTerminal);
    const Warn warn = [&](const std::string& where, const std::string& what) {
        report.warnings.push_back(where + ": " + what);
        progress.warning("classjournal-report: " + where + ": " + what);
    };
    const std::vector<FoundFile> files = findFiles(inputs, warn);
    ClassReading reading(report, options.period, clock, warn);
    for (std::size_t i = 0; i < files.size(); ++i) {
        reading.read(files[i]);
        progress.read(i + 1, files.size());
    }
    progress.done();
    if (report.filesRead == 0) {
        err << "classjournal-report: no file of Class Journal could be read; nothing written\n";
        return kNothing;
    }
    if (report.days.empty() && !options.period.whole()) {
        err << "classjournal-report: no file read holds a day from "
            << (options.period.from ? yearFirst(*options.period.from) : "the first") << " to "
            << (options.period.to ? yearFirst(*options.period.to) : "the last") << "; nothing written\n";
        return kWrongCommandLine;
    }

    const LocalTime now = clock.now();
    try {
        writeReportFiles(report, outFolder, dateText(now) + " " + timeText(now));
    } catch (const RunError& failure) {
        err << "classjournal-report: the report could not be written into " << utf8Of(outFolder) << ": "
            << failureWords(failure.number()) << "\n";
        return kNothing;
    }
    out << "classjournal-report: " << report.filesRead << " files read; wrote " << utf8Of(outFolder / kPageFile) << ", "
        << kTableFile << ", " << kSummaryFile << " and the day pages beside it\n";
    return kWritten;
}

}  // namespace cj::report
