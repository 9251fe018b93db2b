#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "code_page_text_box.h"
#include "picture_box.h"
#include "window_fixture.h"

namespace cj::test {
namespace {

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

const std::string kOutOfRange = "You have probably not entered a valid assignment number.";
const std::string kFailure13 = "You have encountered an error.";

struct StartUp {
    const char* name;
    std::deque<std::string> answers;
    std::size_t promptsShown;
    std::vector<std::string> messageStarts;
    bool ends;
};

void PrintTo(const StartUp& row, std::ostream* os) { *os << row.name; }

using StartUpTest = WindowTableTest<StartUp>;

TEST_P(StartUpTest, EndsBeforeTheWindowShowsOrOpensTheAssignment) {
    const StartUp& row = GetParam();
    load(row.answers);

    EXPECT_EQ(dialogs.prompts.size(), row.promptsShown);
    ASSERT_EQ(dialogs.messages.size(), row.messageStarts.size());
    for (std::size_t i = 0; i < row.messageStarts.size(); ++i) {
        EXPECT_TRUE(startsWith(dialogs.messages[i], row.messageStarts[i])) << dialogs.messages[i];
    }
    EXPECT_EQ(window.hasEnded(), row.ends);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(std::filesystem::exists(dataFile(fileNamesOf().master)), !row.ends);
}

INSTANTIATE_TEST_SUITE_P(
    FourPrompts, StartUpTest,
    testing::Values(StartUp{"AssignmentOne", {"1", "Student One", "SO1", "1"}, 4, {}, false},
                    StartUp{"AssignmentTwo", {"1", "Student One", "SO1", "2"}, 4, {kOutOfRange}, true},
                    StartUp{"FirstPromptCancelled", {"", "Student One", "SO1", "1"}, 1, {kFailure13, kOutOfRange}, true}),
    [](const testing::TestParamInfo<StartUp>& info) { return std::string(info.param.name); });

TEST_F(WindowTest, StartUpWritesTheHeaderAndScalesThePictures) {
    loadStudentOne();

    const std::string header = readBytes(dataFile(fileNamesOf().send));
    EXPECT_NE(header.find("\r\nStudent Name:  Student One\r\nassignment #001\r\n001.  Responses\r\n"
                          "Initials:  SO1\r\nDate and Time 12-07-2026 14:05:09\r\n"),
              std::string::npos)
        << header;
    for (const char* name : {"Picture1", "Picture2"}) {
        const auto* picture = window.findChild<ui::PictureBox*>(name);
        EXPECT_EQ(picture->scaleWidth(), 1000.0f) << name;
        EXPECT_EQ(picture->scaleHeight(), 1000.0f) << name;
    }
}

TEST_F(WindowTest, TheAnswerBoxHoldingTheAnswerPromptReadsBackEqualToIt) {
    loadStudentOne();
    const std::string& prompt = window.run().state().answerPrompt;
    ASSERT_EQ(prompt.size(), 502u);

    window.setAnswerText(prompt);
    EXPECT_EQ(window.answerText(), prompt);
    EXPECT_EQ(window.answerBox().blockCount(), 3);
}

TEST_F(WindowTest, MakeCodeLineDrawsFromTheRunsRandomSequence) {
    loadStudentOne();
    const int drawnBefore = random.drawn;
    const std::string line = window.makeCodeLine(20);
    EXPECT_GT(random.drawn, drawnBefore);
    EXPECT_GE(line.size(), 20u);
    EXPECT_LE(line.size(), 40u);
}

// Runs the application's event loop until the program ends, or gives up after five seconds.
int runEventLoop() {
    QTimer giveUp;
    giveUp.callOnTimeout([] { QCoreApplication::exit(1); });
    giveUp.start(5000);
    return QApplication::exec();
}

TEST_F(WindowTest, TheCloseBoxEndsTheProgramWithoutWriting) {
    loadStudentOne();
    window.show();
    const auto before = files();

    QTimer::singleShot(0, &window, &QWidget::close);
    EXPECT_EQ(runEventLoop(), 0);

    EXPECT_TRUE(window.hasEnded());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(files(), before);
}

TEST_F(WindowTest, OnceTheProgramHasEndedNoHandlerRuns) {
    loadStudentOne();
    window.show();
    QTimer::singleShot(0, window.findChild<QPushButton*>("cmd_quit"), &QPushButton::click);
    EXPECT_EQ(runEventLoop(), 0);
    const auto before = files();

    window.findChild<QPushButton*>("cmdNextQuestion")->click();
    EXPECT_EQ(window.questionText(), "");
    EXPECT_EQ(files(), before);
}

}  // namespace
}  // namespace cj::test
