#include "report_files.h"

#include <regex>
#include <set>

#include "html_page.h"
#include "participation_csv.h"
#include "path_text.h"
#include "report_program.h"
#include "run_error.h"
#include "text_files.h"

namespace cj::report {

namespace {

namespace fs = std::filesystem;

// A crash may lose the report, as it can be made again.
void save(const fs::path& file, const std::string& bytes) {
    saveFileAtomically(file, bytes, Durability::Replaceable);
    giveUsualPermissions(file);
}

void removeOtherDayPages(const fs::path& days, const std::set<fs::path>& written) {
    static const std::regex kDayPage(R"(\d{4}-\d\d-\d\d\.html)");
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(days, error)) {
        const fs::path name = entry.path().filename();
        if (!written.contains(name) && std::regex_match(utf8Of(name), kDayPage) && entry.is_regular_file(error))
            removeFile(entry.path());
    }
}

}  // namespace

void writeReportFiles(const ClassReport& report, const fs::path& folder, const std::string& madeAt) {
    const fs::path days = folder / kDayFolder;
    std::error_code error;
    if (!fs::is_directory(days, error) && !fs::create_directory(days, error)) throw RunError(kPathNotFound);
    const std::vector<StudentTerm> students = termOf(report);
    std::set<fs::path> written;
    for (const auto& [day, present] : report.days) {
        const fs::path page = folder / pathFromUtf8(dayPageName(day));
        save(page, dayPage(report, students, day, madeAt));
        written.insert(page.filename());
    }
    removeOtherDayPages(days, written);
    save(folder / kPageFile, htmlPage(report, madeAt));
    save(folder / kTableFile, participationCsv(report));
    save(folder / kSummaryFile, summaryCsv(report));
}

}  // namespace cj::report
