#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>

#include "failure_messages.h"
#include "run_error.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// Stands in a table row for the answer prompt, which the run sets at start-up.
const std::string kThePrompt = "(the answer prompt)";
const std::string kRestored = "The answer you had not yet entered, saved at 12-06-2026 09:30:01, is back in the answer box.";

class AnswerDraft : public RunFixture {
public:
    // For the table's rows, which act on the run from outside.
    using RunFixture::dataFile;
    using RunFixture::run;
    using RunFixture::state;
    using FakePlatform::boxes;
    using FakePlatform::dialogs;

    std::filesystem::path draftFile() const { return dataFile("draft_Student_One.txt"); }
    // Starts Student One's run as the window does, an earlier run having left this draft.
    void startWith(const std::optional<std::string>& earlierDraft) {
        if (earlierDraft) writeBytes(draftFile(), *earlierDraft);
        start("1", "Student One", "STO", "1");
        run().restoreDraft();
    }
    // What the student types, then a pause.
    void type(const std::string& text) {
        boxes.answer = text;
        run().keepDraft();
    }
    std::optional<std::string> draft() const {
        if (!std::filesystem::exists(draftFile())) return std::nullopt;
        return readBytes(draftFile());
    }
    // Every file whose name begins like the draft's: a temporary one left by a save shows here.
    int draftLikeFiles() const {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(draftFile().parent_path())) {
            count += entry.path().filename().string().starts_with("draft_");
        }
        return count;
    }
};

struct Rule {
    std::string name;
    std::optional<std::string> earlierDraft;
    std::function<void(AnswerDraft&)> act;
    std::optional<std::string> draft;  // what the draft file holds afterwards, if there is one
    std::string answerBox;
    bool restoredMessage = false;
};

class DraftRules : public AnswerDraft, public testing::WithParamInterface<Rule> {};

const Rule kRules[] = {
    {"TypedTextIsKeptAtAPause", {}, [](AnswerDraft& t) { t.type("caf\xE9\r\nline two"); }, "caf\xE9\r\nline two",
     "caf\xE9\r\nline two"},
    {"AnEmptyBoxKeepsNone", {}, [](AnswerDraft& t) { t.type("a"); t.type(""); }, {}, ""},
    {"TheAnswerPromptKeepsNone", {},
     [](AnswerDraft& t) { t.type("a"); t.type(t.state().answerPrompt); }, {}, kThePrompt},
    {"TheAnswerPromptPutBackRemovesItAtOnce", {},
     [](AnswerDraft& t) { t.run().nextQuestion(); t.type("a"); t.run().nextQuestion(); }, {}, kThePrompt},
    {"ARecordedResponseRemovesItAtOnce", {}, [](AnswerDraft& t) { t.type("a"); t.run().enterResponse(); }, {}, ""},
    {"RecordedNotesRemoveItAtOnce", {}, [](AnswerDraft& t) { t.type("a"); t.run().saveAsNotes(); }, {}, ""},
    {"AFailedRecordKeepsIt", {},
     [](AnswerDraft& t) {
         t.type("a");
         std::filesystem::remove(t.dataFile("send_1207Student_One.txt"));
         std::filesystem::create_directory(t.dataFile("send_1207Student_One.txt"));
         t.run().enterResponse();
         t.dialogs.messages.clear();
     },
     "a", "a"},
    {"ClearBoxRemovesItAtOnce", {}, [](AnswerDraft& t) { t.type("a"); t.run().clearAnswerBox(); }, {}, ""},
    {"WhatFollowsARecordIsKeptAtAnEndingLine", {},
     [](AnswerDraft& t) {
         t.run().script().write(5, "####.# end");
         t.run().nextQuestion();
         t.type("recorded");
         t.run().enterResponse();
         t.boxes.answer = "typed after";
         EXPECT_THROW(t.run().nextQuestion(), ProgramEnded);
         t.run().keepDraft();  // as the window does on every ending
     },
     "typed after", "typed after"},
    {"AnEarlierDraftComesBack", "left\r\nover", [](AnswerDraft&) {}, "left\r\nover", "left\r\nover", true},
    {"AnEarlierDraftGoesWhenRecorded", "left", [](AnswerDraft& t) { t.run().enterResponse(); }, {}, "", true},
    {"AnEmptyEarlierDraftIsNotPutBack", "", [](AnswerDraft& t) { t.run().keepDraft(); }, "", ""},
};

TEST_P(DraftRules, LeaveTheDraftAndTheBoxes) {
    const Rule& rule = GetParam();
    startWith(rule.earlierDraft);
    rule.act(*this);
    EXPECT_EQ(draft(), rule.draft);
    EXPECT_EQ(draftLikeFiles(), rule.draft ? 1 : 0);
    EXPECT_EQ(boxes.answer, rule.answerBox == kThePrompt ? state().answerPrompt : rule.answerBox);
    if (rule.restoredMessage) {
        EXPECT_THAT(dialogs.messages, ElementsAre(kRestored));
    } else {
        EXPECT_THAT(dialogs.messages, IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Drafts, DraftRules, testing::ValuesIn(kRules),
                         [](const testing::TestParamInfo<Rule>& info) { return info.param.name; });

TEST_F(AnswerDraft, AStartUpThatEndsTheProgramLeavesAnEarlierDraftAlone) {
    writeBytes(draftFile(), "earlier");
    EXPECT_THROW(start("1", "Student One", "STO", "7"), ProgramEnded);
    run().keepDraft();  // as the window does on every ending
    EXPECT_EQ(draft(), "earlier");
}

TEST_F(AnswerDraft, ADraftThatCannotBeSavedIsReportedOnceAndTriedAgain) {
    startWith({});
    std::filesystem::create_directory(draftFile());  // a folder where the file should be
    type("a");
    type("ab");
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathFileAccessError)));
    std::filesystem::remove(draftFile());
    type("abc");
    EXPECT_EQ(draft(), "abc");
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(AnswerDraft, ADraftThatCannotBeReadIsReportedOnceAndLeftInPlace) {
    std::filesystem::create_directories(draftFile() / "inside");
    startWith({});
    type("a");
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathFileAccessError)));
    EXPECT_EQ(boxes.answer, "a");
    EXPECT_TRUE(std::filesystem::exists(draftFile() / "inside"));
}

// Saves go on in another process while the draft is read again and again; once a save has
// written its text beside the draft, it is killed before it can rename it over the draft.
TEST_F(AnswerDraft, ASaveKilledBetweenWriteAndRenameLeavesTheOldDraftWhole) {
    const std::string older(4'000'000, 'o'), newer(4'000'000, 'n');
    startWith({});
    type(older);
    const pid_t saver = fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
        for (int i = 0;; ++i) type(i % 2 ? older : newer);
    }
    bool killedBeforeRename = false, whole = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!killedBeforeRename && whole && std::chrono::steady_clock::now() < deadline) {
        const std::optional<std::string> seen = draft();
        whole = seen == older || seen == newer;
        for (const auto& entry : std::filesystem::directory_iterator(draftFile().parent_path())) {
            std::error_code gone;
            const bool written = entry.path() != draftFile() && entry.file_size(gone) == older.size();
            if (written && !killedBeforeRename) killedBeforeRename = kill(saver, SIGKILL) == 0;
        }
    }
    kill(saver, SIGKILL);
    waitpid(saver, nullptr, 0);
    EXPECT_TRUE(whole) << "a torn draft was read while saving";
    EXPECT_TRUE(killedBeforeRename);
    const std::optional<std::string> left = draft();
    EXPECT_TRUE(left == older || left == newer) << "a torn draft was left";
}

}  // namespace
}  // namespace cj::test
