#include "participation_csv.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "ascii_case.h"
#include "csv_text.h"
#include "page_text.h"
#include "term_summary.h"

namespace cj::report {

std::string participationCsv(const ClassReport& report) {
    struct Row {
        std::string key;
        Day day;
        const Attendance* attendance;
        const StudentTerm* student;
    };
    std::vector<Row> rows;
    const std::vector<StudentTerm> students = termOf(report);
    for (const StudentTerm& student : students) {
        for (const auto& [day, attendance] : student.days)
            rows.push_back({asciiLowerCase(student.name), day, attendance, &student});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return std::tie(a.key, a.day) < std::tie(b.key, b.day); });
    std::string csv = std::string(kByteOrderMark) + "name,initials,date,responses,notes,first time,last time\r\n";
    for (const Row& row : rows) {
        const Attendance& a = *row.attendance;
        appendField(csv, wellFormedUtf8(row.student->name), true);
        appendField(csv, a.initials);
        appendField(csv, yearFirst(row.day));
        appendField(csv, std::to_string(a.count(RecordRead::Kind::Response)));
        appendField(csv, std::to_string(a.count(RecordRead::Kind::Notes)));
        appendField(csv, clockTime(a.firstSeconds));
        appendField(csv, clockTime(a.lastSeconds));
        csv += "\r\n";
    }
    return csv;
}

}  // namespace cj::report
