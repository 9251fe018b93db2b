#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cj {

// The files kept for one student in the data folder, as drive-letter paths in UTF-8: the name
// in them is the name as it was typed, in any script.
struct StudentFileNames {
    std::string master, send, notes;
    std::string draft;   // this copy's: the answer box while nothing in it is recorded
    std::string outbox;  // the class-file lines that could not reach it yet
    std::string inUse;   // empty; locked by each running copy of the program under the name
    // The draft of each copy of the program that may run under the name at once, the first
    // copy's first.
    std::vector<std::string> copyDrafts;
    // This student's outbox in every data folder of this computer, the home folder's first;
    // outbox is one of them.
    std::vector<std::string> outboxes;
    std::string dateText;  // the day of the send file
};

// The student's name as it stands in file names, from the name typed, in UTF-8: blanks become
// "_", and so does every character a Windows file name cannot hold, so a name never leaves the
// data directory. A name too long for every file name built on it, temporary names included,
// is cut short between characters and ends in "~" and a digest of the whole name, so that two
// students never share files.
std::string fileNamePart(const std::string& typedName);

// The kinds of file kept for a student. Each is named by its prefix, then the month and day
// ("MMDD") for a kind kept per day, then the name part N, then ".txt". UnsentOfDay holds the
// class-file lines of its day that waited in the outbox beside it until a later day, and so
// never reached the class file.
enum class StudentFileKind { Master, Send, Notes, Draft, Outbox, InUse, UnsentOfDay };
struct StudentFileNaming {
    StudentFileKind kind;
    std::string_view prefix;
    bool perDay;
};
// The first draft is the first copy's; a copy started while others run under the name keeps
// the first free one of the others, named with its number where the first has "_", so that no
// name typed can give another student's draft.
inline constexpr StudentFileNaming kStudentFileNamings[] = {
    {StudentFileKind::Master, "masterFile_", false}, {StudentFileKind::Send, "send_", true},
    {StudentFileKind::Notes, "notes_", false},       {StudentFileKind::Draft, "draft_", false},
    {StudentFileKind::Draft, "draft2", false},       {StudentFileKind::Draft, "draft3", false},
    {StudentFileKind::Draft, "draft4", false},       {StudentFileKind::Draft, "draft5", false},
    {StudentFileKind::Draft, "draft6", false},       {StudentFileKind::Draft, "draft7", false},
    {StudentFileKind::Draft, "draft8", false},       {StudentFileKind::Draft, "draft9", false},
    {StudentFileKind::Outbox, "unsent_", false},      {StudentFileKind::InUse, "inuse_", false},
    // After the outbox's, whose prefix begins alike: a digit where the outbox has "_".
    {StudentFileKind::UnsentOfDay, "unsent", true},
};
inline constexpr std::string_view kStudentFileExtension = ".txt";

// Copies of the program under one name that keep drafts of their own.
inline constexpr int kCopiesPerName = static_cast<int>(std::count_if(
    std::begin(kStudentFileNamings), std::end(kStudentFileNamings),
    [](const StudentFileNaming& naming) { return naming.kind == StudentFileKind::Draft; }));

// What the name of a file found in a folder tells: whose file (its name part) of which kind,
// and the month and day of a kind kept per day. Names are UTF-8 here, as a folder lists them.
struct StudentFileName {
    StudentFileKind kind;
    std::string monthDay;
    std::string namePart;
};
std::optional<StudentFileName> readStudentFileName(std::string_view fileName);

// dateText gives the send file's month and day: one send file collects a student's day.
StudentFileNames studentFileNames(const std::string& dataDir, const std::string& typedName, const std::string& dateText);

// The file of a kind kept per day, of the day of dateText, beside a file of the same student
// that studentFileNames named.
std::string fileOfDay(StudentFileKind kind, const std::string& beside, const std::string& dateText);
inline std::string unsentOfDay(const std::string& outbox, const std::string& dateText) {
    return fileOfDay(StudentFileKind::UnsentOfDay, outbox, dateText);
}
// Where those lines go when a folder, or a file this program cannot write, stands in the day
// file's place: a name the instructor's report reads as a copy of it. For a name cut to the
// longest a file name allows, it is one byte too long, and the lines stay in the outbox.
std::string unsentOfDayElsewhere(const std::string& outbox, const std::string& dateText);

// What is under way for a file and must be finished should the program be killed, kept beside
// it under its name with ".rec" for ".txt": beside the draft, the record of its text that some
// of its files may miss; beside an outbox, how far its delivery to the class file got.
std::string progressFileOf(const std::string& file);

}  // namespace cj
