#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "code_page_text_box.h"
#include "failure_messages.h"
#include "run_error.h"
#include "window_fixture.h"

namespace cj::test {
namespace {

const std::string kQuestion = "Please respond to the question.";

class CommandsTest : public WindowTest {
protected:
    CommandsTest() {
        loadStudentOne();
        window.show();
    }
    void type(const char* text) {
        window.answerBox().setFocus();
        QTest::keyClicks(&window.answerBox(), text);
    }
    std::string sentRecords() const {
        const std::string sent = readBytes(dataFile(fileNamesOf().send));
        return sent.substr(sent.find("14:05:09\r\n") + 10);
    }
};

TEST_F(CommandsTest, AStudentAnswersAQuestionAndSavesNotes) {
    click("cmdNextQuestion");
    EXPECT_EQ(window.questionText(), kQuestion);

    type("OK");
    click("cmd_enter_response");
    EXPECT_EQ(readBytes(temp.path() / "i" / "responses.txt"), "OK\r\n");
    EXPECT_EQ(window.questionText(), "");
    EXPECT_EQ(window.answerText(), "");

    type("check units");
    click("cmd_save_as_notes");
    EXPECT_NE(readBytes(dataFile(fileNamesOf().notes)).find("NOTES -------> check units\r\n"), std::string::npos);
    EXPECT_NE(sentRecords().find("RESPONSE -->  \r\nOK\r\n"), std::string::npos);

    click("cmd_display_note_file");
    EXPECT_NE(window.questionText().find(kQuestion + "......!!!!!!!!"), std::string::npos);

    click("cmd_displayCumulativeText");
    EXPECT_EQ(window.questionText(), " YOUR ANSWER  ->->->->  NOTES -------> check units"
                                     " YOUR ANSWER  ->->->->  OK <-<-<-<-  Q/A:   " + kQuestion);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CommandsTest, AnUnansweredQuestionBringsThePromptBackAndClearBoxEmptiesIt) {
    click("cmdNextQuestion");
    type("draft");
    click("cmdNextQuestion");
    EXPECT_EQ(window.answerText(), window.run().state().answerPrompt);
    EXPECT_EQ(window.questionText(), kQuestion + kQuestion);

    click("cmd_clear_answer_box");
    EXPECT_EQ(window.answerText(), "");
}

TEST_F(CommandsTest, FailuresAreReportedAndTheProgramGoesOn) {
    click("cmd_display_note_file");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{failureMessage(kFileNotFound)});
    EXPECT_FALSE(window.hasEnded());
    EXPECT_TRUE(window.isVisible());
}

struct Thrown {
    const char* what;
    std::exception_ptr exception;
    int number;
    friend void PrintTo(const Thrown& t, std::ostream* os) { *os << t.what; }
};

class UntrappedFailure : public WindowTableTest<Thrown> {
protected:
};

// The timer's tick traps nothing, so what its draw throws reaches the window's own guard.
TEST_P(UntrappedFailure, IsReportedAndTheWindowGoesOn) {
    loadStudentOne();
    window.show();
    random.failNext = GetParam().exception;
    click("cmd_pend_exp");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.messages.empty(); }, 2000));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{failureMessage(GetParam().number)});
    EXPECT_FALSE(window.hasEnded());

    const int drawn = random.drawn;
    EXPECT_TRUE(QTest::qWaitFor([&] { return random.drawn > drawn; }, 2000));
    click("cmdNextQuestion");
    EXPECT_EQ(window.questionText(), kQuestion);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    click("cmd_quit");
    EXPECT_TRUE(window.hasEnded());
}

INSTANTIATE_TEST_SUITE_P(
    Exceptions, UntrappedFailure,
    testing::Values(Thrown{"logic_error", std::make_exception_ptr(std::logic_error("not ours")), kInternalError},
                    Thrown{"bad_alloc", std::make_exception_ptr(std::bad_alloc()), kOutOfMemory},
                    Thrown{"RunError 57", std::make_exception_ptr(RunError(kDeviceIoError)), kDeviceIoError},
                    Thrown{"int", std::make_exception_ptr(42), kInternalError}));

TEST_F(CommandsTest, PublicOperationsActOnTheRun) {
    window.readNextQuestion();
    EXPECT_EQ(window.run().state().questionText, kQuestion);

    writeBytes(dataFile("query.txt"), "Query 1 What?\r\n");
    window.codeFile();
    EXPECT_EQ(readBytes(dataFile("queri.txt")), "query What?\r\n");

    window.runRoutine("Graph2");
    EXPECT_FALSE(window.hasEnded());
    window.runRoutine("exitprog");
    EXPECT_TRUE(window.hasEnded());
}

}  // namespace
}  // namespace cj::test
