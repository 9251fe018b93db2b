#pragma once

#include <map>
#include <string>
#include <vector>

#include "class_report.h"

namespace cj::report {

// One student over the days the report covers.
struct StudentTerm {
    std::string key, name, initials;
    bool listed = false;                    // on the class list
    std::map<Day, const Attendance*> days;  // those present, oldest first
    int responses = 0, notes = 0;
};

// The students on the class list in its order, absent all term or not, then the others by name.
std::vector<StudentTerm> termOf(const ClassReport& report);

// summary.csv: one row per student, in that order.
std::string summaryCsv(const ClassReport& report);

}  // namespace cj::report
