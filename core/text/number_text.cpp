#include "number_text.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "run_error.h"

namespace cj {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of s of the form [sign] digits [. digits] [e [sign] digits],
// with at least one digit in the mantissa; 0 when s does not start with a number.
std::size_t numberPrefixLength(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) ++j;
            i = j;
        }
    }
    return i;
}

double parseNumber(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);  // from_chars takes no plus sign
    double value = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error == std::errc::result_out_of_range) throw RunError(kOverflow);
    return value;
}

}  // namespace

double numberFromAnswer(const std::string& answer) {
    std::string_view s = answer;
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (s.empty() || numberPrefixLength(s) != s.size()) throw RunError(kTypeMismatch);
    return parseNumber(s);
}

double numericValue(const std::string& text) {
    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') compact += c;
    }
    const std::string_view s = compact;
    const std::size_t length = numberPrefixLength(s);
    return length == 0 ? 0.0 : parseNumber(s.substr(0, length));
}

std::string numberText(double value) {
    if (!std::isfinite(value)) throw RunError(kOverflow);
    if (value == 0.0) value = 0.0;  // no "-0"
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc()) throw RunError(kOverflow);
    return std::string(buffer, end);
}

std::string padAssignmentNumber(const std::string& number) {
    if (number.size() == 1) return "00" + number;
    if (number.size() == 2) return "0" + number;
    return number;
}

}  // namespace cj
