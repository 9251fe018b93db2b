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

    // The student's own record comes first: whatever fails after it, the send file begins
    // with its header, and the first failure is the one reported.
    trapped([&] {
        unwrittenHeader_ = composeHeader(assignmentLine);
        int failure = 0;
        keepFirstFailure(failure, [&] { appendToSendFile(""); });
        keepFirstFailure(failure, [&] { createFile(locate(s.masterFilePath)); });
        keepFirstFailure(failure, [&] { createFile(locate(kResponsesFile)); });
        if (failure != 0) throw RunError(failure);
    });
}

// A header that could not be written at start-up goes in front of the first record that
// lands, so the send file never holds a record without the header that names its student.
void Run::appendToSendFile(const std::string& record) {
    appendToFile(locate(state_.sendFilePath), unwrittenHeader_ + record);
    unwrittenHeader_.clear();
}

void Run::keepFirstFailure(int& failure, const std::function<void()>& write) {
    try {
        write();
    } catch (const RunError& e) {
        if (failure == 0) failure = e.number();
    }
}

}  // namespace cj
