#include "record_layouts.h"

#include "clock_text.h"
#include "fixed_texts.h"
#include "line_coding.h"

namespace cj {

namespace {

const std::string kDotBangLine = "......!!!!!!!!...................................";
const std::string kDotLine(49, '.');
const std::string kTimeStampIndent(36, ' ');
const std::string kResponseLabel = "RESPONSE -->  ";

}  // namespace

std::string sendFileHeader(const std::string& noiseLine, const RunState& s, const std::string& assignmentLine,
                           const LocalTime& now) {
    const float n = s.codeNbr;
    return noiseLine + kLineEnd + code("Student Name:  " + s.fullName, n) + kLineEnd +
           code("assignment #" + s.assignmentNumber, n) + kLineEnd + code(assignmentLine, n) + kLineEnd +
           "Initials:  " + s.initials + kLineEnd + "Date and Time " + dateText(now) + " " + timeText(now) + kLineEnd;
}

std::string responseRecord(const std::string& response, const LocalTime& now, float codeNbr) {
    return kDotBangLine + kLineEnd + kTimeStampIndent + timeText(now) + kLineEnd + kDotBangLine + kLineEnd +
           kResponseLabel + kLineEnd + code(response, codeNbr) + kLineEnd + kDotLine + kLineEnd;
}

std::string classFileLine(const std::string& response, float codeNbr) { return code(response, codeNbr) + kLineEnd; }

NotesRecord notesRecord(const std::string& notes, const std::string& currentLine, const LocalTime& now, float codeNbr) {
    const std::string body = kDotBangLine + kLineEnd + kTimeStampIndent + timeText(now) + kLineEnd + kTimeStampIndent +
                             dateText(now) + timeText(now) + kLineEnd + code(currentLine, codeNbr) + kLineEnd +
                             kDotBangLine + kLineEnd + code(notes, codeNbr) + kLineEnd;
    return {body + kDotLine + kLineEnd, body + kNotesRecordEnd};
}

}  // namespace cj
