#include <iostream>

#include "clock_text.h"
#include "failure_messages.h"
#include "run.h"

namespace cj {

namespace {

// The student is typing: a message box now would be in the way, and the next pause tries again.
void logDraftFailure(int errorNumber) {
    std::cerr << filledIn(kDraftNotKept, {std::to_string(errorNumber)}) << '\n';
}

}  // namespace

void Run::restoreDraft() {
    try {
        const StudentFiles::Draft draft = files_.readDraft();
        if (draft.text.empty()) return;
        platform_.boxes.setAnswerText(draft.text);
        platform_.dialogs.msgBox(filledIn(kDraftBack, {dateText(draft.savedAt) + " " + timeText(draft.savedAt)}));
    } catch (...) {
        // One that cannot be read stays where it is for another start.
        logDraftFailure(currentFailureNumber());
    }
}

// Also called as the program ends, outside any guard: nothing may leave it.
bool Run::keepDraft() {
    try {
        const std::string answer = platform_.boxes.answerText();
        files_.keepDraft(nothingTyped(answer) ? std::string() : answer);
        return true;
    } catch (...) {
        logDraftFailure(currentFailureNumber());
        return false;
    }
}

void Run::finishRun() {
    keepDraft();
    files_.deliverOutbox();
}

void Run::setAnswerText(const std::string& text) {
    platform_.boxes.setAnswerText(text);
    files_.forgetRecordInProgress();
    keepDraft();
}

}  // namespace cj
