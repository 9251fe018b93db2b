#include "term_summary.h"

#include <algorithm>
#include <iterator>

#include "ascii_case.h"
#include "csv_text.h"
#include "page_text.h"

namespace cj::report {

std::vector<StudentTerm> termOf(const ClassReport& report) {
    std::vector<StudentTerm> listed, others;
    std::map<std::string, StudentTerm*> byKey;
    const auto add = [&](std::vector<StudentTerm>& to, const std::string& key, const std::string& name,
                         const std::string& initials) {
        if (!byKey.emplace(key, nullptr).second) return;
        StudentTerm& student = to.emplace_back();
        student.key = key;
        student.name = name;
        student.initials = initials;
        student.listed = &to == &listed;
    };
    if (report.classList) {
        for (const ListedStudent& student : report.classList->students())
            add(listed, student.key, student.name, student.initials);
    }
    // Newest day first: a student is named as they were last seen.
    for (const auto& [day, students] : report.days) {
        for (const auto& [key, attendance] : students) add(others, key, attendance.name, "");
    }
    for (auto* group : {&listed, &others}) {
        for (StudentTerm& student : *group) byKey[student.key] = &student;
    }
    for (const auto& [day, students] : report.days) {
        for (const auto& [key, attendance] : students) {
            StudentTerm& student = *byKey.at(key);
            student.days[day] = &attendance;
            student.responses += attendance.count(RecordRead::Kind::Response);
            student.notes += attendance.count(RecordRead::Kind::Notes);
            if (student.initials.empty()) student.initials = attendance.initials;
        }
    }
    std::stable_sort(others.begin(), others.end(), [](const StudentTerm& a, const StudentTerm& b) {
        return asciiLowerCase(a.name) < asciiLowerCase(b.name);
    });
    listed.insert(listed.end(), std::make_move_iterator(others.begin()), std::make_move_iterator(others.end()));
    return listed;
}

std::string summaryCsv(const ClassReport& report) {
    std::string csv = std::string(kByteOrderMark) +
                      "name,initials,days present,days absent,responses,notes,first day,last day,on the class list\r\n";
    for (const StudentTerm& student : termOf(report)) {
        const bool present = !student.days.empty();
        appendField(csv, wellFormedUtf8(student.name), true);
        appendField(csv, student.initials);
        appendField(csv, std::to_string(student.days.size()));
        appendField(csv,
                    report.classList && student.listed ? std::to_string(report.days.size() - student.days.size()) : "");
        appendField(csv, std::to_string(student.responses));
        appendField(csv, std::to_string(student.notes));
        appendField(csv, present ? yearFirst(student.days.begin()->first) : "");
        appendField(csv, present ? yearFirst(student.days.rbegin()->first) : "");
        appendField(csv, report.classList ? (student.listed ? "yes" : "no") : "");
        csv += "\r\n";
    }
    return csv;
}

}  // namespace cj::report
