#include "clock_text.h"
#include "file_names.h"
#include "run.h"
#include "text_files.h"

namespace cj {

std::filesystem::path Run::draftFile() const {
    return locate(state_.dataDir + "\\draft_" + fileNamePart(state_.fullName) + ".txt");
}

void Run::restoreDraft() {
    try {
        const std::filesystem::path file = draftFile();
        std::string draft = readFile(file);
        if (draft.empty()) return;
        const LocalTime saved = platform_.clock.lastWritten(file);
        platform_.boxes.setAnswerText(draft);
        draftOnDisk_ = std::move(draft);
        platform_.dialogs.msgBox("The answer you had not yet entered, saved at " + dateText(saved) + " " +
                                 timeText(saved) + ", is back in the answer box.");
    } catch (const RunError& failure) {
        // No draft is the usual case; one that cannot be read stays where it is for another start.
        const bool noDraft = failure.number() == kFileNotFound || failure.number() == kPathNotFound;
        if (!noDraft) reportDraftFailure(failure.number());
    }
}

// Also called as the program ends, outside any guard: nothing may leave it.
bool Run::keepDraft() {
    try {
        std::string answer = platform_.boxes.answerText();
        if (answer == state_.answerPrompt) answer.clear();
        if (answer == draftOnDisk_) return true;
        if (answer.empty()) {
            removeFile(draftFile());
        } else {
            saveFileAtomically(draftFile(), answer);
        }
        draftOnDisk_ = std::move(answer);
        return true;
    } catch (...) {
        reportDraftFailure(currentFailureNumber());  // the next pause tries again
        return false;
    }
}

void Run::finishRun() { keepDraft(); }

// Typing goes on whatever the disk does: one message a run is enough to tell the student.
void Run::reportDraftFailure(int errorNumber) {
    if (!draftFailureReported_) report(errorNumber);
    draftFailureReported_ = true;
}

void Run::setAnswerText(const std::string& text) {
    platform_.boxes.setAnswerText(text);
    keepDraft();
}

}  // namespace cj
