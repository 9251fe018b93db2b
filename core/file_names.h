#pragma once

#include <string>
#include <vector>

namespace cj {

// The files kept for one student in the data folder, as drive-letter paths in UTF-8: the name
// in them is the name as it was typed, in any script.
struct StudentFileNames {
    std::string master, send, notes;
    std::string draft;   // this copy's: the answer box while nothing in it is recorded
    std::string outbox;  // the class-file lines that could not reach it yet
    // The draft of each copy of the program that may run under the name at once, the first
    // copy's first: "draft_" and the name, then "draft2", "draft3" and so on before it.
    std::vector<std::string> copyDrafts;
};

// Copies of the program under one name that keep drafts of their own.
inline constexpr int kCopiesPerName = 9;

// The student's name as it stands in file names, from the name typed, in UTF-8: blanks become
// "_", and so does every character a Windows file name cannot hold, so a name never leaves the
// data directory. A name too long for every file name built on it, temporary names included,
// is cut short between characters and ends in "~" and a digest of the whole name, so that two
// students never share files.
std::string fileNamePart(const std::string& typedName);

// dateText gives the send file's month and day: one send file collects a student's day.
StudentFileNames studentFileNames(const std::string& dataDir, const std::string& typedName, const std::string& dateText);

}  // namespace cj
