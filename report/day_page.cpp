#include <algorithm>

#include "html_page.h"
#include "page_text.h"
#include "page_writer.h"

namespace cj::report {

namespace {

std::string weekdayOf(const Day& day) {
    constexpr const char* kNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return kNames[std::chrono::weekday(std::chrono::sys_days(day)).c_encoding()];
}

class DayPage {
public:
    DayPage(const ClassReport& report, const std::vector<StudentTerm>& students, const Day& day)
        : report_(report), day_(day), title_(weekdayOf(day) + " " + monthFirst(day)), page_(title_) {
        const auto& present = report.days.at(day);
        for (const StudentTerm& student : students) {
            const auto found = present.find(student.key);
            if (found != present.end() || student.listed)
                students_.push_back({student.name, student.listed, found == present.end() ? nullptr : &found->second});
        }
    }

    std::string write(const std::string& madeAt) {
        page_.raw("<h1>" + title_ + "</h1>\n<p class=\"made\"><a href=\"../report.html\">The whole report</a>, made ");
        page_.text(madeAt);
        page_.raw("</p>\n");
        table();
        std::size_t rows = 0;
        for (const Student& student : students_) rows += student.attendance ? student.attendance->entries.size() : 0;
        fold_ = rows * 4 > kCellsShownAtOnce;
        for (std::size_t i = 0; i < students_.size(); ++i) {
            if (students_[i].attendance) answers(i, students_[i].name, *students_[i].attendance);
        }
        return page_.finish();
    }

private:
    struct Student {
        std::string name;
        bool listed;
        const Attendance* attendance;  // nothing for a student on the list who left nothing
    };

    std::string anchor(std::size_t student) const { return "d" + yearFirst(day_) + "-" + std::to_string(student); }

    void table() {
        page_.head({"Student", "Initials", "Responses", "Notes", "First", "Last", "Draft never recorded"});
        std::uint64_t classLines = 0;
        for (std::size_t i = 0; i < students_.size(); ++i) {
            const Student& student = students_[i];
            if (report_.classList && !student.listed && (i == 0 || students_[i - 1].listed))
                page_.raw("<tr class=\"apart\"><th colspan=\"7\">Not on the class list</th></tr>\n");
            if (!student.attendance) {
                page_.raw("<tr class=\"absent\">");
                page_.nameCell(student.name);
                page_.raw("<td colspan=\"6\">absent</td></tr>\n");
                continue;
            }
            const Attendance& a = *student.attendance;
            page_.raw("<tr><td><a href=\"#" + anchor(i) + "\">");
            page_.name(student.name);
            page_.raw("</a></td>");
            page_.cell(a.initials);
            page_.number(a.count(RecordRead::Kind::Response));
            page_.number(a.count(RecordRead::Kind::Notes));
            page_.cell(clockTime(a.firstSeconds), "time");
            page_.cell(clockTime(a.lastSeconds), "time");
            page_.cell(a.draft ? "yes" : "");
            page_.raw("</tr>\n");
            for (const Entry& e : a.entries) {
                if (e.kind == RecordRead::Kind::Response)
                    classLines += 1 + std::count(e.text.begin(), e.text.end(), '\n');
            }
        }
        page_.endTable();
        page_.raw("<p>In the class file, this day's responses make " + std::to_string(classLines) +
                  (classLines == 1 ? " line" : " lines") + ".</p>\n");
        inMoreThanOneFile();
    }

    // Two files named after the same student and day, both read: a copy that grew apart from the
    // first, or two spellings of one listed student.
    void inMoreThanOneFile() {
        for (const Student& student : students_) {
            if (!student.attendance || student.attendance->sendFiles.size() < 2) continue;
            page_.raw("<p class=\"twice\">");
            page_.name(student.name);
            page_.raw("'s day is in more than one file, and each was read: ");
            const char* separator = "";
            for (const std::string& file : student.attendance->sendFiles) {
                page_.raw(std::string(separator) + "<code>");
                page_.text(file);
                page_.raw("</code>");
                separator = ", ";
            }
            page_.raw(".</p>\n");
        }
    }

    // Folded on a day too large to lay out at once.
    void answers(std::size_t index, const std::string& name, const Attendance& a) {
        if (fold_) page_.fold(kCellsShownAtOnce + 1, anchor(index));
        page_.raw(fold_ ? "<h3>" : "<h3 id=\"" + anchor(index) + "\">");
        page_.name(name);
        if (!a.initials.empty()) {
            page_.raw(" (");
            page_.text(a.initials);
            page_.raw(")");
        }
        page_.raw("</h3>\n");
        if (fold_) page_.endSummary();
        answerTable(a);
        if (fold_) page_.endFold();
    }

    void answerTable(const Attendance& a) {
        if (a.entries.empty() && !a.draft) {
            page_.raw("<p class=\"none\">Nothing recorded.</p>\n");
            return;
        }
        std::vector<const Entry*> inOrder;
        for (const Entry& e : a.entries) inOrder.push_back(&e);
        std::stable_sort(inOrder.begin(), inOrder.end(), [](auto* x, auto* y) { return x->seconds < y->seconds; });
        page_.head({"Time", "Kind", "Question", "Answer"});
        for (const Entry* e : inOrder) {
            const bool notes = e->kind == RecordRead::Kind::Notes;
            page_.raw("<tr>");
            page_.cell(clockTime(e->seconds), "time");
            page_.cell(notes ? "Notes" : "Response");
            if (notes) {
                page_.raw("<td>");
                page_.codePageText(e->question);
                page_.raw("</td>");
            } else {
                page_.raw("<td class=\"none\">not recorded</td>");
            }
            page_.raw("<td class=\"text\">");
            page_.codePageText(e->text);
            page_.raw("</td></tr>\n");
        }
        if (a.draft) {
            page_.raw(
                "<tr class=\"draft\"><td></td><td>Draft</td><td class=\"none\">never recorded</td><td class=\"text\">");
            page_.codePageText(*a.draft);
            page_.raw("</td></tr>\n");
        }
        page_.endTable();
    }

    const ClassReport& report_;
    const Day day_;
    const std::string title_;
    std::vector<Student> students_;
    PageWriter page_;
    bool fold_ = false;
};

}  // namespace

std::string dayPage(const ClassReport& report, const std::vector<StudentTerm>& students, const Day& day,
                    const std::string& madeAt) {
    return DayPage(report, students, day).write(madeAt);
}

}  // namespace cj::report
