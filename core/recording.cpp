#include "clock_text.h"
#include "fixed_texts.h"
#include "line_coding.h"
#include "run.h"
#include "text_files.h"

namespace cj {

namespace {

const std::string kDotBangLine = "......!!!!!!!!...................................";
const std::string kDotLine(49, '.');
const std::string kTimeStampIndent(36, ' ');
const std::string kResponseLabel = "RESPONSE -->  ";
const std::string kNotesLabel = "NOTES -------> ";
// The dot line followed by a print-zone advance: blanks up to the next 14-column zone, no line end.
const std::string kDotLineInPrintZone = kDotLine + std::string(7, ' ');

std::string responseRecord(const LocalTime& now, const std::string& codedResponse) {
    return kDotBangLine + kLineEnd + kTimeStampIndent + timeText(now) + kLineEnd + kDotBangLine + kLineEnd +
           kResponseLabel + kLineEnd + codedResponse + kLineEnd + kDotLine + kLineEnd;
}

// Every line of a notes record but its closing dot line, which differs between the files.
std::string notesRecordBody(const LocalTime& now, const std::string& codedLine, const std::string& codedNotes) {
    return kDotBangLine + kLineEnd + kTimeStampIndent + timeText(now) + kLineEnd + kTimeStampIndent +
           dateText(now) + timeText(now) + kLineEnd + codedLine + kLineEnd + kDotBangLine + kLineEnd +
           codedNotes + kLineEnd;
}

}  // namespace

void Run::clearBoxes() {
    platform_.boxes.setQuestionText("");
    setAnswerText("");
}

// The student's own send file decides whether a record was made: it is written first, and
// when it fails nothing changes, so the student can try again with the text still there.
void Run::enterResponse() {
    RunState& s = state_;
    trapped([&] {
        const std::string answer = platform_.boxes.answerText();
        if (answer == s.answerPrompt) return clearBoxes();

        appendToSendFile(responseRecord(platform_.clock.now(), code(answer, s.codeNbr)));
        s.responsePending = false;
        s.workText = answer;
        s.cumulativeText.insert(0, s.responseSeparator + answer);
        clearBoxes();
        appendToFile(locate(kResponsesFile), code(answer, s.codeNbr) + kLineEnd);
    });
}

void Run::saveAsNotes() {
    RunState& s = state_;
    trapped([&] {
        const std::string answer = platform_.boxes.answerText();
        if (answer == s.answerPrompt) return clearBoxes();

        const std::string notes = kNotesLabel + answer;
        const std::string body =
            notesRecordBody(platform_.clock.now(), code(s.currentLine, s.codeNbr), code(notes, s.codeNbr));
        appendToSendFile(body + kDotLineInPrintZone);
        s.responsePending = false;
        s.workText = notes;
        s.cumulativeText.insert(0, s.responseSeparator + notes);
        clearBoxes();

        int failure = 0;
        keepFirstFailure(failure, [&] { appendToFile(locate(s.masterFilePath), body + kDotLine + kLineEnd); });
        keepFirstFailure(failure, [&] { appendToFile(locate(s.notesFilePath), body + kDotLineInPrintZone); });
        if (failure != 0) throw RunError(failure);
    });
}

}  // namespace cj
