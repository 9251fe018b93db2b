#include "record_layouts.h"

#include "clock_text.h"
#include "fixed_texts.h"
#include "line_coding.h"

namespace cj {

std::string sendFileHeader(const std::string& noiseLine, const HeaderFields& s, const std::string& assignmentLine,
                           const LocalTime& now) {
    const float n = s.codeNbr;
    return noiseLine + kLineEnd + code(kStudentNameLabel + s.fullName, n) + kLineEnd +
           code(kAssignmentLabel + s.assignmentNumber, n) + kLineEnd + code(assignmentLine, n) + kLineEnd +
           kInitialsLabel + s.initials + kLineEnd + kDateAndTimeLabel + dateText(now) + " " + timeText(now) + kLineEnd;
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
    return {body + kDotLine + kLineEnd, body + kDotLine + kPrintZoneAdvance};
}

}  // namespace cj
