#include "line_coding.h"

#include <cmath>

#include "run_error.h"

namespace cj {

namespace {

// Nearest whole number, halves to the even neighbour.
long roundHalfEven(double value) { return std::lrint(value); }

char byteOf(long codeValue) {
    if (codeValue < 0 || codeValue > 255) throw RunError(kInvalidArgument);
    return static_cast<char>(static_cast<unsigned char>(codeValue));
}

}  // namespace

std::string code(const std::string& aLine, float /*codeNbr*/) { return aLine; }

std::string makeCodeLine(float codeNbr, const std::function<float()>& nextDraw) {
    std::string line;
    for (long counter = 1; counter <= codeNbr; ++counter) {
        if (nextDraw() < 0.1f) line += byteOf(roundHalfEven(nextDraw() * 50.0f + 66.0f));
        line += byteOf(roundHalfEven(nextDraw() * 137.0f + 118.0f));
    }
    return line;
}

std::string decode(const std::string& aLine, float codeNbr) {
    std::string text;
    text.reserve(aLine.size());
    for (const char ch : aLine) {
        const int c = static_cast<unsigned char>(ch);
        if (c == 32) {
            text += ' ';
        } else if (c < 66) {
            text += byteOf(roundHalfEven((c + 209.0) - codeNbr));
        } else if (c > 118) {
            text += byteOf(roundHalfEven((c - static_cast<double>(codeNbr)) - 100.0));
        }
    }
    return text;
}

std::string remSpaces(const std::string& aLine) {
    std::string result;
    result.reserve(aLine.size());
    for (const char ch : aLine) {
        if (ch != ' ' && ch != '-') result += ch;
    }
    return result;
}

}  // namespace cj
