#include <QPushButton>
#include <QTest>

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
    void click(const char* button) { QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton); }
    void type(const char* text) {
        window.answerBox().setFocus();
        QTest::keyClicks(&window.answerBox(), text);
    }
    std::string sentRecords() const {
        const std::string sent = readBytes(dataFile("send_1207Student_One.txt"));
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
    EXPECT_NE(readBytes(dataFile("notes_Student_One.txt")).find("NOTES -------> check units\r\n"), std::string::npos);
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
