#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "answer_draft_fixture.h"
#include "failure_messages.h"

namespace cj::test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::StartsWith;

// The general failure message, whatever the number: each system has its own for a folder in
// the way of a file.
const std::string kFailure = failureMessage(0).substr(0, failureMessage(0).size() - 1);

// Stands in a table row for the answer prompt, which the run sets at start-up.
const std::string kThePrompt = "(the answer prompt)";
const std::string kRestored = "The answer you had not yet entered, saved at 12-06-2026 09:30:01, is back in the answer box.";

struct Rule {
    std::string name;
    std::optional<std::string> earlierDraft;
    std::function<void(AnswerDraft&)> act;
    std::optional<std::string> draft;  // what the draft file holds afterwards, if there is one
    std::string answerBox;
    bool restoredMessage = false;
};

void PrintTo(const Rule& row, std::ostream* os) { *os << row.name; }

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
         std::filesystem::remove(t.dataFile(fileNamesOf().send));
         std::filesystem::create_directory(t.dataFile(fileNamesOf().send));
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

// The student is typing: a draft that cannot be kept is tried again, never shown.
TEST_F(AnswerDraft, ADraftThatCannotBeKeptIsTriedAgainWithoutAWord) {
    startWith({});
    std::filesystem::create_directory(draftFile());  // a folder where the file should be
    boxes.answer = "a";
    EXPECT_FALSE(run().keepDraft());
    std::filesystem::remove(draftFile());
    EXPECT_FALSE(run().keepDraft());  // written behind the student's back: known at the next look
    EXPECT_TRUE(run().keepDraft());
    EXPECT_EQ(draft(), "a");
    EXPECT_THAT(dialogs.messages, IsEmpty());
}

// A killed run can leave a temporary draft; one that another run is writing right now stays,
// and so does every file of another student, whatever the name. Whatever the draft holds: here
// one too large to be put back.
TEST_F(AnswerDraft, TemporaryDraftsOlderThanTheRunGoAtStart) {
    const auto now = std::filesystem::file_time_type::clock::now();
    const std::tuple<std::filesystem::path, std::chrono::hours, bool> rows[] = {
        // file, age, gone after the start
        {draftFile().string() + ".Ab12Cd", -std::chrono::hours(1), true},
        {draftFile().string() + ".Ef34Gh", std::chrono::hours(1), false},
        {dataFile(fileNamesOf("Student One.txt.ab").draft), -std::chrono::hours(1), false},
        {dataFile(fileNamesOf("Student One.rec.ab").draft), -std::chrono::hours(1), false},
    };
    for (const auto& [file, age, gone] : rows) {
        writeBytes(file, "partial");
        std::filesystem::last_write_time(file, now + age);
    }
    startWith(std::string(17 << 20, 'x'));
    for (const auto& [file, age, gone] : rows) EXPECT_EQ(std::filesystem::exists(file), !gone) << file;
}

}  // namespace
}  // namespace cj::test
