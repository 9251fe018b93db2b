#include "record_layouts.h"
#include "run.h"

namespace cj {

void Run::clearBoxes() {
    platform_.boxes.setQuestionText("");
    setAnswerText("");
}

// Until every one of the student's own files has the record, the text stays in the box, and
// a click with the same text completes the record rather than repeating it.
void Run::enterResponse() {
    trapped([&] {
        const std::string answer = platform_.boxes.answerText();
        if (nothingTyped(answer)) return clearBoxes();
        onFiles([&] { files_.recordResponse(answer, state_.codeNbr); });
        recorded(answer);
    });
    tellNews();
}

void Run::saveAsNotes() {
    trapped([&] {
        const std::string answer = platform_.boxes.answerText();
        if (nothingTyped(answer)) return clearBoxes();
        onFiles([&] { files_.recordNotes(answer, state_.currentLine, state_.codeNbr); });
        recorded(kNotesLabel + answer);
    });
    tellNews();
}

void Run::recorded(std::string text) {
    RunState& s = state_;
    s.responsePending = false;
    s.workText = std::move(text);
    s.cumulativeText.insert(0, s.responseSeparator + s.workText);
    clearBoxes();
}

void Run::tellNews() {
    std::vector<std::string> news;
    onFiles([&] { news = files_.news(); });
    for (const std::string& message : news) platform_.dialogs.msgBox(message);
}

}  // namespace cj
