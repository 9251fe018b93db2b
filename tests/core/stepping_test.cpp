#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "failure_messages.h"
#include "run_error.h"
#include "run_fixture.h"
#include "turkish_locale.h"

namespace cj::test {
namespace {

using testing::ElementsAre;

const std::string kQuestion = "Please respond to the question.";
const std::string kSeparator = " <-<-<-<-  Q/A:   ";

class Stepping : public RunFixture {
protected:
    Stepping() { start("1", "Student One", "STO", "1"); }

    // Replaces the built-in script by these lines from slot 1 on; assignment 001 stays open.
    void useScript(const std::vector<std::string>& lines) {
        for (long slot = 1; slot <= 64; ++slot) run().script().write(slot, "");
        long slot = 0;
        for (const auto& line : lines) run().script().write(++slot, line);
        state().lineIndex = 1;
    }
};

TEST_F(Stepping, TheFirstClickShowsTheFirstQuestion) {
    run().nextQuestion();
    EXPECT_EQ(state().lineIndex, 3);
    EXPECT_EQ(boxes.question, kQuestion);
    EXPECT_EQ(state().cumulativeText, kSeparator + kQuestion);
    EXPECT_EQ(state().currentLine, kQuestion);
    EXPECT_EQ(state().questionText, "");
    EXPECT_TRUE(state().responsePending);
    EXPECT_EQ(boxes.answer, "");
}

TEST_F(Stepping, AnUnansweredLineBringsTheAnswerPromptBack) {
    run().nextQuestion();
    boxes.answer = "typed but not recorded";
    run().nextQuestion();
    EXPECT_EQ(boxes.answer, state().answerPrompt);
    EXPECT_EQ(boxes.question, kQuestion + kQuestion);
    EXPECT_EQ(state().cumulativeText, kSeparator + kQuestion + kSeparator + kQuestion);
}

TEST_F(Stepping, RunningOffTheEndReportsAndChangesNothing) {
    for (int click = 1; click <= 15; ++click) run().nextQuestion();
    EXPECT_EQ(state().lineIndex, 31);
    const std::string shown = boxes.question;
    const std::string cumulative = state().cumulativeText;
    EXPECT_TRUE(dialogs.messages.empty());

    run().nextQuestion();
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kSubscriptOutOfRange)));
    EXPECT_EQ(state().lineIndex, 5001);
    EXPECT_EQ(boxes.question, shown);
    EXPECT_EQ(boxes.answer, state().answerPrompt);
    EXPECT_EQ(state().cumulativeText, cumulative);
    EXPECT_FALSE(state().responsePending);

    run().nextQuestion();
    EXPECT_EQ(state().lineIndex, 5002);
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(Stepping, HarmlessRoutinesRunAndTheNextLineIsShown) {
    for (const std::string routine : {"`routine Graph-2", "`ROUTINE graph 2", "`routine graph1", "`routine  g r a p h 3"}) {
        useScript({"001.  A", "", routine, "", "after"});
        boxes.question.clear();
        run().nextQuestion();
        EXPECT_EQ(boxes.question, "after") << routine;
        EXPECT_EQ(state().lineIndex, 5);
        EXPECT_TRUE(state().responsePending);
        EXPECT_EQ(state().cumulativeText.substr(0, kSeparator.size() + 5), kSeparator + "after");
    }
}

TEST_F(Stepping, ARoutineAfterARoutineIsShownAsText) {
    useScript({"001.  A", "`routine graph1", "", "`routine exitprog", "after"});
    run().nextQuestion();
    EXPECT_EQ(boxes.question, "`routine exitprog");
    EXPECT_FALSE(state().responsePending);
}

TEST_F(Stepping, TheBareRoutinePrefixIsTextButAnythingMoreIsARoutine) {
    useScript({"001.  A", "`routine", "`routine1"});
    run().nextQuestion();
    EXPECT_EQ(boxes.question, "`routine");
    EXPECT_FALSE(state().responsePending);
    EXPECT_THROW(run().nextQuestion(), ProgramEnded);  // the empty routine name
}

TEST_F(Stepping, EndingLinesEndTheProgramBeforeTheyAreShown) {
    for (const std::string ending : {"`routine exitprog", "`routine graph10", "002.  Next", "####.# end"}) {
        useScript({"001.  A", "", ending});
        boxes.question = "before";
        EXPECT_THROW(run().nextQuestion(), ProgramEnded) << ending;
        EXPECT_EQ(boxes.question, "before");
        EXPECT_EQ(state().currentLine, ending);
        EXPECT_EQ(state().cumulativeText.substr(0, kSeparator.size() + ending.size()), kSeparator + ending);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Stepping, NextPictureRunsRoutinesInTheNextTwoSlots) {
    useScript({"001.  A", "`routine graph1", "`routine graph2", "`routine graph3", "q"});
    run().nextPicture();
    // the first routine moves lineIndex to 2, so the second step looks at slot 4
    EXPECT_EQ(state().lineIndex, 4);
    run().nextQuestion();
    EXPECT_EQ(boxes.question, "q");

    useScript({"001.  A", "plain", "`routine graph1"});
    run().nextPicture();
    EXPECT_EQ(state().lineIndex, 3);

    useScript({"001.  A", "plain", "other"});
    const std::string cumulative = state().cumulativeText;
    run().nextPicture();
    EXPECT_EQ(state().lineIndex, 1);
    EXPECT_EQ(state().cumulativeText, cumulative);

    useScript({"001.  A", "`routine1"});
    EXPECT_THROW(run().nextPicture(), ProgramEnded);
}

TEST_F(Stepping, NextPictureNearTheEndReportsInsteadOfEnding) {
    state().lineIndex = 4999;
    run().nextPicture();
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kSubscriptOutOfRange)));
    EXPECT_EQ(state().lineIndex, 4999);
}

// Under Turkish the C library lower-cases I to the dotless i; routine lines must not care.
class SteppingUnderTurkish : public Stepping {
protected:
    void SetUp() override {
        if (!turkish.unavailable().empty()) GTEST_SKIP() << turkish.unavailable();
    }
    TurkishLocale turkish;
};

TEST_F(SteppingUnderTurkish, RoutineLinesInCapitalsStillRun) {
    for (const std::string routine : {"`ROUTINE graph1", "`Routine GRAPH2", "`ROUTINE graph-3"}) {
        useScript({"001.  A", routine, "after"});
        boxes.question.clear();
        run().nextQuestion();
        EXPECT_EQ(boxes.question, "after") << routine;
    }
    useScript({"001.  A", "`ROUTINE EXITPROG"});
    EXPECT_THROW(run().nextQuestion(), ProgramEnded);
    useScript({"001.  A", "`ROUTINE graph1"});
    run().nextPicture();
    EXPECT_EQ(state().lineIndex, 2);
}

}  // namespace
}  // namespace cj::test
