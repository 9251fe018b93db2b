#include "html_page.h"

#include "class_reading.h"
#include "page_text.h"
#include "page_writer.h"
#include "term_summary.h"

namespace cj::report {

namespace {

class Page {
public:
    explicit Page(const ClassReport& report) : report_(report), students_(termOf(report)) {}

    std::string write(const std::string& madeAt) {
        page_.raw("<h1>Class Journal report</h1>\n<p class=\"made\">Made ");
        page_.text(madeAt);
        page_.raw(" from ");
        for (std::size_t i = 0; i < report_.inputs.size(); ++i) {
            page_.raw(i == 0 ? "<code>" : ", <code>");
            page_.text(report_.inputs[i]);
            page_.raw("</code>");
        }
        page_.raw(": " + std::to_string(report_.filesRead) + " files read, " + days() + coverage() + ".</p>\n");
        cannotKnow();
        index();
        summary();
        studentsByDays();
        classFiles();
        keptFiles();
        passedOver();
        return page_.finish();
    }

private:
    std::string days() const {
        return std::to_string(report_.days.size()) + (report_.days.size() == 1 ? " day" : " days");
    }

    std::string coverage() const {
        if (report_.period.whole()) return "";
        return std::string(", ") + (report_.period.from ? "from " + yearFirst(*report_.period.from) : "") +
               (report_.period.from && report_.period.to ? " " : "") +
               (report_.period.to ? "to " + yearFirst(*report_.period.to) : "");
    }

    // Said of a table whose files keep no day, when --from or --to leaves days out.
    void wholeTerm() {
        if (!report_.period.whole())
            page_.raw("<p class=\"none\">These files keep no day: this table covers the whole term.</p>\n");
    }

    void cannotKnow() {
        page_.raw(
            "<section class=\"cannot\">\n<h2>What this report cannot know</h2>\n<ul>\n"
            "<li>The class file names no student and holds no date: its lines are counted, but none can be "
            "given to a student or a day. Each day tells how many lines its responses make there.</li>\n"
            "<li>A response carries no question line: the send file keeps only its time. Only notes name the "
            "question they were written to.</li>\n"
            "<li>A response carries no date either: it belongs to the day of the start it follows, or the next "
            "day after midnight. A draft, an answer typed and never recorded, is shown on the day its file was "
            "last written.</li>\n"
            "</ul>\n</section>\n");
    }

    void index() {
        page_.raw("<nav id=\"index\">\n<h2>Index</h2>\n<p><b>Days:</b> ");
        for (const auto& [day, students] : report_.days) {
            page_.raw("<a href=\"" + dayPageName(day) + "\">" + monthFirst(day) + "</a> ");
        }
        page_.raw("</p>\n<p><b>Students:</b> ");
        for (std::size_t i = 0; i < students_.size(); ++i) {
            page_.raw(i == 0 ? "<a href=\"#s0\">" : ", <a href=\"#s" + std::to_string(i) + "\">");
            page_.name(students_[i].name);
            page_.raw("</a>");
        }
        page_.raw("</p>\n</nav>\n");
    }

    void apart(std::size_t i, std::size_t columns) {
        if (report_.classList && !students_[i].listed && (i == 0 || students_[i - 1].listed))
            page_.raw("<tr class=\"apart\"><th colspan=\"" + std::to_string(columns) +
                      "\">Not on the class list</th></tr>\n");
    }

    void summary() {
        page_.raw("<section id=\"summary\">\n<h2>Each student over the term</h2>\n");
        page_.head(
            {"Student", "Initials", "Days present", "Days absent", "Responses", "Notes", "First day", "Last day"});
        for (std::size_t i = 0; i < students_.size(); ++i) {
            const StudentTerm& s = students_[i];
            apart(i, 8);
            page_.raw("<tr id=\"s" + std::to_string(i) + "\">");
            page_.nameCell(s.name);
            page_.cell(s.initials);
            page_.number(s.days.size());
            if (s.listed) {
                page_.number(report_.days.size() - s.days.size());
            } else {
                page_.cell("");
            }
            page_.number(s.responses);
            page_.number(s.notes);
            page_.cell(s.days.empty() ? "" : yearFirst(s.days.begin()->first), "time");
            page_.cell(s.days.empty() ? "" : yearFirst(s.days.rbegin()->first), "time");
            page_.raw("</tr>\n");
        }
        page_.endTable();
        page_.raw("</section>\n");
    }

    // Each cell: what the student recorded that day, responses and notes together.
    void studentsByDays() {
        page_.raw(
            "<section id=\"register\">\n<h2>Register</h2>\n<p>What each student recorded each day, responses and "
            "notes together; 0 for a day they opened the program or left a draft and recorded nothing");
        page_.raw(report_.classList ? "; a dash for a day a student on the class list left nothing.</p>\n" : ".</p>\n");
        page_.fold(students_.size() * report_.days.size());
        page_.raw(std::to_string(students_.size()) + (students_.size() == 1 ? " student" : " students") + " by " +
                  days());
        page_.endSummary();
        page_.raw("<div class=\"wide\">\n<table class=\"register\">\n<thead><tr><th>Student</th>");
        for (auto day = report_.days.rbegin(); day != report_.days.rend(); ++day) {
            page_.raw("<th><a href=\"" + dayPageName(day->first) + "\">" + monthFirst(day->first).substr(0, 5) +
                      "</a></th>");
        }
        page_.raw("</tr></thead>\n<tbody>\n");
        for (std::size_t i = 0; i < students_.size(); ++i) {
            const StudentTerm& s = students_[i];
            apart(i, report_.days.size() + 1);
            page_.raw("<tr><th><a href=\"#s" + std::to_string(i) + "\">");
            page_.name(s.name);
            page_.raw("</a></th>");
            for (auto day = report_.days.rbegin(); day != report_.days.rend(); ++day) {
                const auto present = s.days.find(day->first);
                if (present != s.days.end()) {
                    page_.raw("<td>" + std::to_string(present->second->entries.size()) + "</td>");
                } else {
                    page_.raw(s.listed ? "<td class=\"absent\">-</td>" : "<td></td>");
                }
            }
            page_.raw("</tr>\n");
        }
        page_.raw("<tr class=\"total\"><th>Present</th>");
        for (auto day = report_.days.rbegin(); day != report_.days.rend(); ++day)
            page_.raw("<td>" + std::to_string(day->second.size()) + "</td>");
        page_.raw("</tr>\n</tbody>\n</table>\n</div>\n");
        page_.endFold();
        page_.raw("</section>\n");
    }

    void classFiles() {
        page_.raw("<section id=\"class-file\">\n<h2>The class file</h2>\n");
        if (report_.classFiles.empty()) {
            page_.raw("<p class=\"none\">No class file (responses.txt) was among the files read.</p>\n");
        } else {
            wholeTerm();
            page_.head({"File", "Lines"});
            for (const ClassFileCount& file : report_.classFiles) {
                page_.raw("<tr>");
                page_.cell(file.path);
                page_.number(file.lines);
                page_.raw("</tr>\n");
            }
            page_.endTable();
        }
        page_.raw("</section>\n");
    }

    std::string nameOf(const std::string& key) const {
        for (const StudentTerm& s : students_) {
            if (s.key == key) return s.name;
        }
        return nameInFileName(key);
    }

    static std::string countOf(const std::optional<int>& notes) { return notes ? std::to_string(*notes) : "no file"; }

    void keptFiles() {
        if (report_.keptFiles.empty()) return;
        page_.raw("<section id=\"other-files\">\n<h2>Each student's other files</h2>\n");
        if (!report_.period.whole())
            page_.raw(
                "<p class=\"none\">Notes are counted on the days the report covers; the lines for the class "
                "file keep no day and are counted over the whole term.</p>\n");
        page_.head({"Student", "Notes in the notes file", "Notes in the master file",
                    "Lines waiting for the class file", "Lines of earlier days that never reached it"});
        for (const auto& [key, kept] : report_.keptFiles) {
            page_.raw("<tr>");
            page_.nameCell(nameOf(key));
            page_.cell(countOf(kept.notesInNotesFile), "n");
            page_.cell(countOf(kept.notesInMasterFile), "n");
            page_.number(kept.waitingLines);
            page_.number(kept.unsentLines);
            page_.raw("</tr>\n");
        }
        page_.endTable();
        page_.raw("</section>\n");
    }

    void passedOver() {
        if (report_.warnings.empty()) return;
        page_.raw("<section id=\"passed-over\">\n<h2>Passed over</h2>\n<ul>\n");
        for (const std::string& warning : report_.warnings) {
            page_.raw("<li>");
            page_.text(warning);
            page_.raw("</li>\n");
        }
        page_.raw("</ul>\n</section>\n");
    }

    const ClassReport& report_;
    const std::vector<StudentTerm> students_;
    PageWriter page_{"Class Journal report"};
};

}  // namespace

std::string htmlPage(const ClassReport& report, const std::string& madeAt) { return Page(report).write(madeAt); }

std::string dayPageName(const Day& day) { return std::string(kDayFolder) + "/" + yearFirst(day) + ".html"; }

}  // namespace cj::report
