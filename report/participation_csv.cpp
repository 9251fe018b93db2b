#include "participation_csv.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <vector>

#include "ascii_case.h"
#include "page_text.h"

namespace cj::report {

namespace {

// A spreadsheet takes a field that begins with one of these as a formula: a student's name
// must never run as one, so it is shown as text.
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

void field(std::string& csv, std::string value, bool first = false) {
    if (!first) csv += ',';
    if (!value.empty() && kFormulaStarts.find(value.front()) != std::string_view::npos) value = "'" + value;
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        csv += value;
        return;
    }
    csv += '"';
    for (const char c : value) {
        if (c == '"') csv += '"';
        csv += c;
    }
    csv += '"';
}

}  // namespace

std::string participationCsv(const ClassReport& report) {
    struct Row {
        std::string key;
        Day day;
        const Attendance* attendance;
    };
    std::vector<Row> rows;
    for (const auto& [day, students] : report.days) {
        for (const auto& [namePart, attendance] : students) {
            if (attendance.starts > 0) rows.push_back({asciiLowerCase(attendance.name), day, &attendance});
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return std::tie(a.key, a.day) < std::tie(b.key, b.day); });
    std::string csv =
        "\xEF\xBB\xBF"
        "name,initials,date,responses,notes,first time,last time\r\n";
    for (const Row& row : rows) {
        const Attendance& a = *row.attendance;
        field(csv, wellFormedUtf8(a.name), true);
        field(csv, a.initials);
        field(csv, yearFirst(row.day));
        field(csv, std::to_string(a.count(RecordRead::Kind::Response)));
        field(csv, std::to_string(a.count(RecordRead::Kind::Notes)));
        field(csv, clockTime(a.firstSeconds));
        field(csv, clockTime(a.lastSeconds));
        csv += "\r\n";
    }
    return csv;
}

}  // namespace cj::report
