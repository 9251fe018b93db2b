#pragma once

#include <string>

namespace cj {

// Everything the program knows about the current run; texts are Windows-1252 byte strings.
struct RunState {
    std::string questionText;
    bool responsePending = false;
    std::string currentLine;
    std::string masterFilePath;
    std::string sendFilePath;
    std::string notesFilePath;
    std::string assignmentNumber;
    std::string nextAssignmentNumber;
    std::string answerPrompt;
    std::string workText;
    std::string cumulativeText;  // newest first
    std::string lineSeparator;
    std::string responseSeparator;
    std::string dataDir;
    long lineIndex = 0;
    std::string fullName;
    float codeNbr = 0.0f;
    std::string initials;
};

}  // namespace cj
