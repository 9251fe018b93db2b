#include "csv_text.h"

#include <string_view>

namespace cj::report {

namespace {

// A spreadsheet takes a field that begins with one of these as a formula: a student's name
// must never run as one, so it is shown as text.
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

}  // namespace

void appendField(std::string& csv, std::string value, bool first) {
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

}  // namespace cj::report
