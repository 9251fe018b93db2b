#pragma once

#include <string>

namespace cj {

// A whole answer read as a decimal number: blanks around it, a sign, leading zeros, a
// fraction and an exponent are allowed. Throws RunError(kTypeMismatch) for anything else,
// the empty text included.
double numberFromAnswer(const std::string& answer);

// The value of the longest leading part of text that reads as a decimal number, with
// blanks, tabs and line feeds skipped wherever they stand; 0 when there is none.
double numericValue(const std::string& text);

// A number as text: plain digits for a whole number ("-" in front when negative), a decimal
// point for one with a fraction. Throws RunError(kOverflow) for a value too large to write.
std::string numberText(double value);

// Zeros in front of a one- or two-character assignment number, so that it has three.
std::string padAssignmentNumber(const std::string& number);

}  // namespace cj
