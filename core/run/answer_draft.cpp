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

// Long enough for a slow share, short enough that a program asked to end is seen to end.
constexpr std::chrono::seconds kLastWritesWait{4};

}  // namespace

void Run::restoreDraft() {
    try {
        StudentFiles::Draft draft;
        onFiles([&] { draft = files_.readDraft(); });
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
        std::string text = nothingTyped(answer) ? std::string() : answer;
        if (text == draftGiven_ && draftWrite_ != DraftWrite::Failed) return draftWrite_ == DraftWrite::Done;
        draftGiven_ = text;
        writeDraft(std::move(text));
    } catch (...) {
        logDraftFailure(currentFailureNumber());
    }
    return false;
}

void Run::writeDraft(std::string text) {
    {
        const std::lock_guard lock(draftMutex_);
        const bool waiting = nextDraft_.has_value();
        nextDraft_ = std::move(text);
        if (waiting) return;
        draftWrite_ = DraftWrite::Waiting;
    }
    platform_.fileWork.post([this] {
        std::string text;
        {
            const std::lock_guard lock(draftMutex_);
            text = std::move(*nextDraft_);
            nextDraft_.reset();
        }
        DraftWrite outcome = DraftWrite::Done;
        try {
            files_.keepDraft(text);
        } catch (...) {
            outcome = DraftWrite::Failed;
            logDraftFailure(currentFailureNumber());
        }
        // A newer draft waiting has the last word.
        const std::lock_guard lock(draftMutex_);
        if (!nextDraft_) draftWrite_ = outcome;
    });
}

void Run::finishRun() {
    keepDraft();
    platform_.fileWork.post([this] { files_.deliverOutbox(); });
    if (platform_.fileWork.finish(kLastWritesWait)) return;
    std::cerr << "classjournal: the share did not answer within " << kLastWritesWait.count()
              << " seconds; the answer box may not be kept in its draft file\n";
}

void Run::setAnswerText(const std::string& text) {
    platform_.boxes.setAnswerText(text);
    onFiles([this] { files_.forgetRecordInProgress(); });
    keepDraft();
}

}  // namespace cj
