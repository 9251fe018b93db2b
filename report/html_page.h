#pragma once

#include <string>

#include "term_summary.h"

namespace cj::report {

// report.html: the term on one page that opens at once whatever the term's size: an index,
// each student's summary, the register of students by days, the class files, the students'
// other files and what was passed over. Each day's students and answers are on a page of its
// own beside it (dayPage), linked from the index and the register.
// madeAt: when the report was made, as the files write a date and time.
std::string htmlPage(const ClassReport& report, const std::string& madeAt);

// The day pages' folder beside report.html, and a day's page in it, as a link from report.html.
inline constexpr const char* kDayFolder = "days";
std::string dayPageName(const Day& day);

// One day: its students (those on the class list who left nothing shown absent), each one's
// answers in time order, and what the class file holds of them. It prints as the day alone.
// students: termOf(report), made once for every day.
std::string dayPage(const ClassReport& report, const std::vector<StudentTerm>& students, const Day& day,
                    const std::string& madeAt);

}  // namespace cj::report
