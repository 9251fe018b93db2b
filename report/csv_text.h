#pragma once

#include <string>

namespace cj::report {

// The tables' files: RFC 4180 (CR LF rows, fields quoted where they must be), UTF-8 with a
// byte order mark, so that a spreadsheet on Windows reads them as UTF-8.
inline constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

// Appends one field of a row, after a comma unless it is the first.
void appendField(std::string& csv, std::string value, bool first = false);

}  // namespace cj::report
