#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace cj::report {

// UTF-8 as it may come from a file name: each byte that is not part of a well-formed
// character becomes U+FFFD, so the page and the table stay valid UTF-8.
std::string wellFormedUtf8(std::string_view bytes);

// Well-formed UTF-8 made text for an HTML page (the content of an element, never an attribute):
// &, <, >, " and ' as references, lines ending with LF, other control characters as their
// pictures, and characters that turn the direction of text shown as their code, marked.
void appendEscaped(std::string& page, std::string_view utf8);

// A day as the files write it (MM-DD-YYYY), and as a spreadsheet takes it (YYYY-MM-DD).
std::string monthFirst(const std::chrono::year_month_day& day);
std::string yearFirst(const std::chrono::year_month_day& day);
// HH:MM:SS
std::string clockTime(int secondsSinceMidnight);

}  // namespace cj::report
