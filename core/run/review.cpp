#include "run.h"
#include "text_files.h"

namespace cj {

namespace {

// The lines of a file run together: every CR LF taken out, nothing else.
std::string joinedLines(std::string text) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        text[kept++] = text[i];
    }
    text.resize(kept);
    return text;
}

}  // namespace

void Run::displayNotes() {
    trapped([&] {
        std::string notes;
        onFiles([&] { notes = readFile(locate(files_.names().notes)); });
        state_.workText = joinedLines(std::move(notes));
        platform_.boxes.appendToQuestion(state_.workText);
    });
}

void Run::displayEverything() { platform_.boxes.setQuestionText(state_.cumulativeText); }

void Run::clearAnswerBox() { setAnswerText(""); }

}  // namespace cj
