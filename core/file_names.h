#pragma once

#include <string>
#include <vector>

namespace cj {

// The files kept for one student in the data folder, as drive-letter paths.
struct StudentFileNames {
    std::string master, send, notes;
    std::string draft;   // the answer box while nothing in it is recorded
    std::string outbox;  // the class-file lines that could not reach it yet
    // This student's outbox in every data folder of this computer, the home folder's first;
    // outbox is one of them.
    std::vector<std::string> outboxes;

    // What a record that some of its files took and others missed still owes them, kept
    // beside the draft that holds its text and named after it.
    std::string recordInProgress() const;
};

// The student's name as it stands in file names: blanks become "_", and so does every
// character a Windows file name cannot hold, so a name never leaves the data directory.
// A name too long for every file name built on it, temporary names included, is cut short
// and ends in "~" and a digest of the whole name, so that two students never share files.
std::string fileNamePart(const std::string& fullName);

// dateText gives the send file's month and day: one send file collects a student's day.
StudentFileNames studentFileNames(const std::string& dataDir, const std::string& fullName, const std::string& dateText);

// Where the lines of the day of dateText that never reached the class file stay, beside the
// outbox (as studentFileNames names it) that they waited in: "unsent" + month and day + "_" and
// the name, so that it can never be the name of an outbox or any other file of any student.
std::string unsentOfDay(const std::string& outbox, const std::string& dateText);

}  // namespace cj
