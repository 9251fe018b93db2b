#include "html_page.h"

#include <algorithm>
#include <vector>

#include "ascii_case.h"
#include "code_page.h"
#include "page_style.h"
#include "page_text.h"

namespace cj::report {

namespace {

using Students = std::map<std::string, Attendance>;

class Page {
public:
    explicit Page(const ClassReport& report) : report_(report) {}

    std::string write(const std::string& madeAt) {
        html_ +=
            "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<title>Class Journal report</title>\n<style>";
        html_ += kPageStyle;
        html_ += "</style>\n</head>\n<body>\n<h1>Class Journal report</h1>\n<p class=\"made\">Made ";
        text(madeAt);
        html_ += " from ";
        for (std::size_t i = 0; i < report_.inputs.size(); ++i) {
            html_ += i == 0 ? "<code>" : ", <code>";
            text(report_.inputs[i]);
            html_ += "</code>";
        }
        html_ += ": " + std::to_string(report_.filesRead) + " files read, " + std::to_string(report_.days.size()) +
                 (report_.days.size() == 1 ? " day" : " days") + ".</p>\n";
        cannotKnow();
        for (const auto& [day, students] : report_.days) this->day(day, students);
        classFiles();
        keptFiles();
        passedOver();
        html_ += "</body>\n</html>\n";
        return std::move(html_);
    }

private:
    // Names and paths may come from file names, which are not always UTF-8.
    void text(std::string_view utf8) { appendEscaped(html_, wellFormedUtf8(utf8)); }
    void codePageText(const std::string& text) { appendEscaped(html_, toUtf8(text)); }
    void cell(const std::string& utf8, const char* cls = nullptr) {
        html_ += cls ? std::string("<td class=\"") + cls + "\">" : "<td>";
        text(utf8);
        html_ += "</td>";
    }
    void number(std::uint64_t n) { html_ += "<td class=\"n\">" + std::to_string(n) + "</td>"; }
    void head(std::initializer_list<const char*> columns) {
        html_ += "<table>\n<thead><tr>";
        for (const char* c : columns) html_ += std::string("<th>") + c + "</th>";
        html_ += "</tr></thead>\n<tbody>\n";
    }

    void cannotKnow() {
        html_ +=
            "<section class=\"cannot\">\n<h2>What this report cannot know</h2>\n<ul>\n"
            "<li>The class file names no student and holds no date: its lines are counted, but none can be "
            "given to a student or a day. Each day tells how many lines its responses make there.</li>\n"
            "<li>A response carries no question line: the send file keeps only its time. Only notes name the "
            "question they were written to.</li>\n"
            "<li>A response carries no date either: it belongs to the day of the start it follows. A draft, an "
            "answer typed and never recorded, is shown on the day its file was last written.</li>\n"
            "</ul>\n</section>\n";
    }

    static std::string weekdayOf(const Day& day) {
        constexpr const char* kNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
        return kNames[std::chrono::weekday(std::chrono::sys_days(day)).c_encoding()];
    }

    static std::string anchor(const Day& day, std::size_t student) {
        return "d" + yearFirst(day) + "-" + std::to_string(student);
    }

    static std::vector<const Students::value_type*> byName(const Students& students) {
        std::vector<std::pair<std::string, const Students::value_type*>> keyed;
        for (const auto& student : students) keyed.emplace_back(asciiLowerCase(student.second.name), &student);
        std::stable_sort(keyed.begin(), keyed.end(), [](auto& a, auto& b) { return a.first < b.first; });
        std::vector<const Students::value_type*> sorted;
        for (const auto& [key, student] : keyed) sorted.push_back(student);
        return sorted;
    }

    void day(const Day& day, const Students& students) {
        const auto sorted = byName(students);
        html_ += "<section class=\"day\" id=\"d" + yearFirst(day) + "\">\n<h2>" + weekdayOf(day) + " " +
                 monthFirst(day) + "</h2>\n";
        head({"Student", "Initials", "Responses", "Notes", "First", "Last", "Draft never recorded"});
        std::uint64_t classLines = 0;
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const Attendance& a = sorted[i]->second;
            html_ += "<tr><td><a href=\"#" + anchor(day, i) + "\">";
            text(a.name);
            html_ += "</a></td>";
            cell(a.initials);
            number(a.count(RecordRead::Kind::Response));
            number(a.count(RecordRead::Kind::Notes));
            cell(a.firstSeconds < 0 ? "" : clockTime(a.firstSeconds), "time");
            cell(a.lastSeconds < 0 ? "" : clockTime(a.lastSeconds), "time");
            cell(a.draft ? "yes" : "");
            html_ += "</tr>\n";
            for (const Entry& e : a.entries) {
                if (e.kind == RecordRead::Kind::Response)
                    classLines += 1 + std::count(e.text.begin(), e.text.end(), '\n');
            }
        }
        html_ += "</tbody>\n</table>\n<p>In the class file, this day's responses make " + std::to_string(classLines) +
                 (classLines == 1 ? " line" : " lines") + ".</p>\n";
        for (std::size_t i = 0; i < sorted.size(); ++i) answers(day, i, sorted[i]->second);
        html_ += "</section>\n";
    }

    void answers(const Day& day, std::size_t index, const Attendance& a) {
        html_ += "<h3 id=\"" + anchor(day, index) + "\">";
        text(a.name);
        if (!a.initials.empty()) {
            html_ += " (";
            text(a.initials);
            html_ += ")";
        }
        html_ += "</h3>\n";
        if (a.entries.empty() && !a.draft) {
            html_ += "<p class=\"none\">Nothing recorded.</p>\n";
            return;
        }
        std::vector<const Entry*> inOrder;
        for (const Entry& e : a.entries) inOrder.push_back(&e);
        std::stable_sort(inOrder.begin(), inOrder.end(), [](auto* x, auto* y) { return x->seconds < y->seconds; });
        head({"Time", "Kind", "Question", "Answer"});
        for (const Entry* e : inOrder) {
            const bool notes = e->kind == RecordRead::Kind::Notes;
            html_ += "<tr>";
            cell(clockTime(e->seconds), "time");
            cell(notes ? "Notes" : "Response");
            if (notes) {
                html_ += "<td>";
                codePageText(e->question);
                html_ += "</td>";
            } else {
                html_ += "<td class=\"none\">not recorded</td>";
            }
            html_ += "<td class=\"text\">";
            codePageText(e->text);
            html_ += "</td></tr>\n";
        }
        if (a.draft) {
            html_ +=
                "<tr class=\"draft\"><td></td><td>Draft</td><td class=\"none\">never recorded</td><td class=\"text\">";
            codePageText(*a.draft);
            html_ += "</td></tr>\n";
        }
        html_ += "</tbody>\n</table>\n";
    }

    void classFiles() {
        html_ += "<section id=\"class-file\">\n<h2>The class file</h2>\n";
        if (report_.classFiles.empty()) {
            html_ += "<p class=\"none\">No class file (responses.txt) was among the files read.</p>\n";
        } else {
            head({"File", "Lines"});
            for (const ClassFileCount& file : report_.classFiles) {
                html_ += "<tr>";
                cell(file.path);
                number(file.lines);
                html_ += "</tr>\n";
            }
            html_ += "</tbody>\n</table>\n";
        }
        html_ += "</section>\n";
    }

    // The name a student was last seen under, for files that do not name them.
    std::string nameOf(const std::string& namePart) const {
        for (const auto& [day, students] : report_.days) {
            if (const auto found = students.find(namePart); found != students.end()) return found->second.name;
        }
        return wellFormedUtf8(namePart);
    }

    static std::string countOf(const std::optional<int>& notes) { return notes ? std::to_string(*notes) : "no file"; }

    void keptFiles() {
        if (report_.keptFiles.empty()) return;
        html_ += "<section id=\"other-files\">\n<h2>Each student's other files</h2>\n";
        head({"Student", "Notes in the notes file", "Notes in the master file", "Lines waiting for the class file",
              "Lines of earlier days that never reached it"});
        for (const auto& [namePart, kept] : report_.keptFiles) {
            html_ += "<tr>";
            cell(nameOf(namePart));
            cell(countOf(kept.notesInNotesFile), "n");
            cell(countOf(kept.notesInMasterFile), "n");
            number(kept.waitingLines);
            number(kept.unsentLines);
            html_ += "</tr>\n";
        }
        html_ += "</tbody>\n</table>\n</section>\n";
    }

    void passedOver() {
        if (report_.warnings.empty()) return;
        html_ += "<section id=\"passed-over\">\n<h2>Passed over</h2>\n<ul>\n";
        for (const std::string& warning : report_.warnings) {
            html_ += "<li>";
            text(warning);
            html_ += "</li>\n";
        }
        html_ += "</ul>\n</section>\n";
    }

    const ClassReport& report_;
    std::string html_;
};

}  // namespace

std::string htmlPage(const ClassReport& report, const std::string& madeAt) { return Page(report).write(madeAt); }

}  // namespace cj::report
