#include "failure_messages.h"
#include "line_coding.h"
#include "record_layouts.h"
#include "run.h"

namespace cj {

void Run::openAssignment() {
    RunState& s = state_;
    std::string assignmentLine;
    try {
        s.lineIndex = 0;
        const std::string key = s.assignmentNumber + ".";
        while (assignmentLine.substr(0, 4) != key) assignmentLine = script_.read(++s.lineIndex);
    } catch (const RunError& failure) {
        showFailure(failure.number());
        endProgram();
    }

    trapped([&] {
        // The noise line draws from the random sequence before the clock is read.
        const std::string noiseLine = makeCodeLine(s.codeNbr, [this] { return platform_.random.next(); });
        std::string header = sendFileHeader(noiseLine, {s.fullName, s.assignmentNumber, s.initials, s.codeNbr}, assignmentLine,
                                            platform_.clock.now());
        onFiles([&] { files_.open(std::move(header)); });
    });
    if (files_.nameFull()) {
        static_assert(kCopiesPerName == 9, "the message counts the copies");
        platform_.dialogs.msgBox(std::string(kNameFull.text));
        endProgram();
    }
    if (files_.nameInUse()) platform_.dialogs.msgBox(std::string(kNameInUse.text));
    tellNews();
}

}  // namespace cj
