#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cj {

// The files kept for one student in the data folder, as drive-letter paths.
struct StudentFileNames {
    std::string master, send, notes;
    std::string draft;   // the answer box while nothing in it is recorded
    std::string outbox;  // the class-file lines that could not reach it yet
};

// The student's name as it stands in file names: blanks become "_", and so does every
// character a Windows file name cannot hold, so a name never leaves the data directory.
// A name too long for every file name built on it, temporary names included, is cut short
// and ends in "~" and a digest of the whole name, so that two students never share files.
std::string fileNamePart(const std::string& fullName);

// The kinds of file kept for a student. Each is named by its prefix, then the month and day
// ("MMDD") for a kind kept per day, then the name part N, then ".txt".
enum class StudentFileKind { Master, Send, Notes, Draft, Outbox };
struct StudentFileNaming {
    StudentFileKind kind;
    std::string_view prefix;
    bool perDay;
};
inline constexpr StudentFileNaming kStudentFileNamings[] = {
    {StudentFileKind::Master, "masterFile_", false}, {StudentFileKind::Send, "send_", true},
    {StudentFileKind::Notes, "notes_", false},       {StudentFileKind::Draft, "draft_", false},
    {StudentFileKind::Outbox, "unsent_", false},
};
inline constexpr std::string_view kStudentFileExtension = ".txt";

// What the name of a file found in a folder tells: whose file (its name part) of which kind,
// and the month and day of a kind kept per day. Names are UTF-8 here, as a folder lists them.
struct StudentFileName {
    StudentFileKind kind;
    std::string monthDay;
    std::string namePart;
};
std::optional<StudentFileName> readStudentFileName(std::string_view fileName);

// dateText gives the send file's month and day: one send file collects a student's day.
StudentFileNames studentFileNames(const std::string& dataDir, const std::string& fullName, const std::string& dateText);

}  // namespace cj
