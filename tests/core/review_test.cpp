#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "failure_messages.h"
#include "run_error.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

using testing::ElementsAre;

class Review : public RunFixture {
protected:
    Review() { start("1", "Student One", "STO", "1"); }
    std::filesystem::path notesFile() const { return dataFile(fileNamesOf().notes); }
};

TEST_F(Review, DisplayNotesRunsTheLinesTogetherAfterTheBoxText) {
    const std::pair<std::string, std::string> rows[] = {
        {"", "xy"},
        {"ab\r\ncd\r\n", "xyabcd"},
        {"ab\r\ncd", "xyabcd"},
        {"a\rb\nc\r\r\n", "xya\rb\nc\r"},
    };
    for (const auto& [file, shown] : rows) {
        writeBytes(notesFile(), file);
        boxes.question = "xy";
        run().displayNotes();
        EXPECT_EQ(boxes.question, shown);
    }
    run().displayNotes();
    EXPECT_EQ(boxes.question, "xya\rb\nc\ra\rb\nc\r");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Review, DisplayNotesAfterAFetchAndAfterSavedNotes) {
    run().nextQuestion();
    boxes.answer = "n1";
    run().saveAsNotes();
    run().nextQuestion();
    run().displayNotes();
    EXPECT_EQ(boxes.question, "Please respond to the question." + state().workText);
    EXPECT_NE(state().workText.find("NOTES -------> n1"), std::string::npos);
    EXPECT_EQ(state().workText.find("\r\n"), std::string::npos);
}

TEST_F(Review, DisplayNotesWithoutANotesFileReports53AndChangesNothing) {
    boxes.question = "kept";
    state().workText = "old";
    run().displayNotes();
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kFileNotFound)));
    EXPECT_EQ(boxes.question, "kept");
    EXPECT_EQ(state().workText, "old");
}

TEST_F(Review, DisplayEverythingReplacesTheBoxWithTheHistory) {
    boxes.question = "something";
    run().displayEverything();
    EXPECT_EQ(boxes.question, "");

    run().nextQuestion();
    boxes.answer = "OK";
    run().enterResponse();
    run().displayEverything();
    const std::string everything = " YOUR ANSWER  ->->->->  OK <-<-<-<-  Q/A:   Please respond to the question.";
    EXPECT_EQ(boxes.question, everything);
    run().nextQuestion();
    EXPECT_EQ(boxes.question, everything + "Please respond to the question.");
}

TEST_F(Review, ClearBoxEmptiesTheAnswerEvenOfThePrompt) {
    run().nextQuestion();
    run().nextQuestion();
    ASSERT_EQ(boxes.answer, state().answerPrompt);
    run().clearAnswerBox();
    EXPECT_EQ(boxes.answer, "");
    EXPECT_TRUE(state().responsePending);
    run().nextQuestion();
    EXPECT_EQ(boxes.answer, state().answerPrompt);
}

}  // namespace
}  // namespace cj::test
