#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "code_page_text_box.h"
#include "window_fixture.h"

namespace cj::test {
namespace {

class DraftWindow : public WindowFixture {
protected:
    DraftWindow() {
        loadStudentOne();
        window.show();
        window.restoreDraft();
    }
    void type(const char* text) {
        window.answerBox().setFocus();
        QTest::keyClicks(&window.answerBox(), text);
    }
    std::filesystem::path draftFile() const { return dataFile(fileNamesOf().draft); }
};

// Every way the program ends: a button, or the close box where there is none; a script line
// put where the next question would be.
struct Ending {
    const char* name;
    const char* scriptLine;
    const char* button;
};

void PrintTo(const Ending& row, std::ostream* os) { *os << row.name; }

class EveryEnding : public DraftWindow, public testing::TestWithParam<Ending> {};

const Ending kEndings[] = {
    {"QuitProgram", "", "cmd_quit"},
    {"CloseBox", "", nullptr},
    {"EndingLine", "####.# end", "cmdNextQuestion"},
    {"NextAssignment", "002.  Responses", "cmdNextQuestion"},
    {"ExitRoutine", "`routine exitprog", "cmdNextQuestion"},
};

TEST_P(EveryEnding, KeepsWhatWasTypedAtOnce) {
    const Ending& ending = GetParam();
    window.run().script().write(3, ending.scriptLine);
    type("typed just now");
    if (ending.button) {
        click(ending.button);
    } else {
        window.close();
    }
    EXPECT_TRUE(window.hasEnded());
    EXPECT_EQ(readBytes(draftFile()), "typed just now");
}

INSTANTIATE_TEST_SUITE_P(Drafts, EveryEnding, testing::ValuesIn(kEndings),
                         [](const testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

class DraftTimer : public DraftWindow, public testing::Test {};

// Written once typing has paused for two seconds, never on a keystroke: each one starts the pause over.
TEST_F(DraftTimer, KeepsTheBoxAfterAPauseInTyping) {
    type("a");
    QTest::qWait(1200);
    type("b");
    QTest::qWait(1200);
    EXPECT_FALSE(std::filesystem::exists(draftFile()));
    for (int waited = 0; waited < 3000 && !std::filesystem::exists(draftFile()); waited += 50) QTest::qWait(50);
    EXPECT_EQ(readBytes(draftFile()), "ab");
}

}  // namespace
}  // namespace cj::test
