#pragma once

#include <string>

#include "platform.h"
#include "run_state.h"

namespace cj {

// The records as the instructor reads them, byte for byte, for each file they go to. Recorded
// texts pass through the coding hook; every line ends with CR LF unless said otherwise.

inline const std::string kNotesLabel = "NOTES -------> ";
// How a notes record ends in the send file and the notes file: the dot line followed by a
// print-zone advance, blanks up to the next 14-column zone and no line end.
inline const std::string kNotesRecordEnd = std::string(49, '.') + std::string(7, ' ');

// Written at every start, before the run's first record: the noise line, who, which
// assignment, when.
std::string sendFileHeader(const std::string& noiseLine, const RunState& state, const std::string& assignmentLine,
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
