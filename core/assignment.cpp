#include "clock_text.h"
#include "fixed_texts.h"
#include "line_coding.h"
#include "run.h"
#include "text_files.h"

namespace cj {

std::string Run::composeHeader(const std::string& assignmentLine) {
    const RunState& s = state_;
    const float n = s.codeNbr;
    std::string header = makeCodeLine(n, [this] { return platform_.random.next(); }) + kLineEnd;
    header += code("Student Name:  " + s.fullName, n) + kLineEnd;
    header += code("assignment #" + s.assignmentNumber, n) + kLineEnd;
    header += code(assignmentLine, n) + kLineEnd;
    header += "Initials:  " + s.initials + kLineEnd;
    const LocalTime now = platform_.clock.now();
    header += "Date and Time " + dateText(now) + " " + timeText(now) + kLineEnd;
    return header;
}

void Run::openAssignment() {
    RunState& s = state_;
    std::string assignmentLine;
    try {
        s.lineIndex = 0;
        const std::string key = s.assignmentNumber + ".";
        while (assignmentLine.substr(0, 4) != key) assignmentLine = script_.read(++s.lineIndex);
    } catch (const RunError& failure) {
        report(failure.number());
        endProgram();
    }

    trapped([&] {
        createFile(locate(s.masterFilePath));
        // A computer without the shared drive must not cost the student the header of
        // their own record: it is written first, and the shared file's failure reported after.
        int sharedFileError = 0;
        try {
            createFile(locate(kResponsesFile));
        } catch (const RunError& failure) {
            sharedFileError = failure.number();
        }
        appendToFile(locate(s.sendFilePath), composeHeader(assignmentLine));
        if (sharedFileError != 0) throw RunError(sharedFileError);
    });
}

}  // namespace cj
