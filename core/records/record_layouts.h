#pragma once

#include <cstdint>
#include <string>

#include "computer.h"

namespace cj {

// The records as the instructor reads them, byte for byte, for each file they go to. Recorded
// texts pass through the coding hook; every line ends with CR LF unless said otherwise.

// The fixed texts of the records; the report reads the files by these same texts.
inline const std::string kDotBangLine = "......!!!!!!!!...................................";
inline const std::string kDotLine(49, '.');
inline const std::string kTimeStampIndent(36, ' ');
inline const std::string kResponseLabel = "RESPONSE -->  ";
inline const std::string kNotesLabel = "NOTES -------> ";
// What follows the dot line that ends a notes record in the send and notes files: blanks up to
// the next 14-column print zone, and no line end.
inline const std::string kPrintZoneAdvance(7, ' ');

// The labels of the header's lines 2, 3, 5 and 6; line 1 is noise and line 4 the assignment's line.
inline const std::string kStudentNameLabel = "Student Name:  ";
inline const std::string kAssignmentLabel = "assignment #";
inline const std::string kInitialsLabel = "Initials:  ";
inline const std::string kDateAndTimeLabel = "Date and Time ";
inline constexpr int kHeaderLines = 6;

// Far more than anyone types into an answer box; a larger text is someone else's doing.
inline constexpr std::uint64_t kLargestAnswer = 16u << 20;

// Who and what a send file's header names, and the key its lines are coded with.
struct HeaderFields {
    std::string fullName, assignmentNumber, initials;
    float codeNbr = 0.0f;
};

// Written at every start, before the run's first record: the noise line, who, which
// assignment, when.
std::string sendFileHeader(const std::string& noiseLine, const HeaderFields& fields, const std::string& assignmentLine,
                           const LocalTime& now);

// The send file's framed record of a response.
std::string responseRecord(const std::string& response, const LocalTime& now, float codeNbr);

// The class file's line: the response alone, nothing that names the student.
std::string classFileLine(const std::string& response, float codeNbr);

// A notes record: the master file's ends with a line end; the send file's and the notes file's
// with blanks up to the next print zone and no line end, so the next record begins on its line.
struct NotesRecord {
    std::string master, sendAndNotes;
};
NotesRecord notesRecord(const std::string& notes, const std::string& currentLine, const LocalTime& now, float codeNbr);

}  // namespace cj
