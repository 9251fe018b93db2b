#pragma once

#include <string>

namespace cj::test {

// The records as the instructor reads them, written out here rather than taken from the
// program, for a run whose clock stands at 12-07-2026 14:05:09.
inline const std::string kDotBang = "......!!!!!!!!...................................\r\n";
inline const std::string kDots = std::string(49, '.');
inline const std::string kIndent(36, ' ');
inline const std::string kQuestion = "Please respond to the question.";

inline std::string responseRecord(const std::string& response) {
    return kDotBang + kIndent + "14:05:09\r\n" + kDotBang + "RESPONSE -->  \r\n" + response + "\r\n" + kDots + "\r\n";
}

// ending: "\r\n" in the master file, seven blanks in the send and notes files.
inline std::string notesRecord(const std::string& line, const std::string& notes, const std::string& ending) {
    return kDotBang + kIndent + "14:05:09\r\n" + kIndent + "12-07-202614:05:09\r\n" + line + "\r\n" + kDotBang +
           "NOTES -------> " + notes + "\r\n" + kDots + ending;
}

}  // namespace cj::test
