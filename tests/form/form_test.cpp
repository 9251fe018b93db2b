#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "failure_messages.h"
#include "fakes.h"
#include "form.h"

namespace cj::test {
namespace {

// Writes down, in order, what the form asks of the toolkit. Whether input is dropped depends
// on how long a command took, so it is left out.
struct FakeWindow : form::ToolkitWindow {
    std::string asked;
    void stopTimers() override { asked += "stop "; }
    void hideWindow() override { asked += "hide "; }
    void leaveEventLoop() override { asked += "leave "; }
    void startDraftPause() override { asked += "pause "; }
    void showBusy(bool busy) override { asked += busy ? "busy " : "idle "; }
    void dropInputMeanwhile() override {}
    void copyPicture() override { asked += "copy "; }
    bool startPictureTimer() override {
        asked += "timer ";
        return true;
    }
};

const std::string kQuestion = "Please respond to the question.";

// Steps are controls pressed, or: "tick" of the picture timer, "close" box, answer box
// "change", draft "pause" over, "fail" the next draw, "block" the draft file, "exitAhead" a
// question next, then a routine line that ends the program.
struct Row {
    const char* name;
    std::vector<std::string> steps;
    std::string asked;  // the program has ended when the event loop was left
    int failure = 0;    // the number of the one message shown
    std::size_t circles = 0;
    std::string question = "shown";
    std::string answer = "typed";
    std::string classFile = "";
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class FormTest : public testing::TestWithParam<Row>, protected FakePlatform {
protected:
    void take(const std::string& step) {
        if (step == "tick") return form.pictureTimerTicked();
        if (step == "close") return form.endProgram();
        if (step == "change") return form.answerChanged();
        if (step == "pause") return form.draftPauseOver();
        if (step == "fail") return void(random.failNext = std::make_exception_ptr(std::logic_error("not ours")));
        if (step == "block") return void(std::filesystem::create_directory(temp.path() / "c/qorsdata" / fileNamesOf().draft));
        if (step == "exitAhead") {
            const long at = form.run().state().lineIndex;
            form.run().script().write(at + 1, kQuestion);
            return form.run().script().write(at + 2, "`routine exitprog");
        }
        form.press(step);
    }
    std::string classFile() const {
        const auto file = temp.path() / "i/responses.txt";
        return std::filesystem::exists(file) ? readBytes(file) : "";
    }

    FakeWindow window;
    form::Form form{platform(), window};
};

TEST_P(FormTest, DoesWhatTheStepsAsk) {
    const Row& row = GetParam();
    dialogs.answers = {"1", "Student One", "STO", "1"};
    form.load();
    boxes.question = "shown";
    boxes.answer = "typed";
    for (const std::string& step : row.steps) take(step);
    EXPECT_EQ(window.asked, row.asked);
    EXPECT_EQ(boxes.question, row.question);
    EXPECT_EQ(boxes.answer, row.answer);
    EXPECT_EQ(classFile(), row.classFile);
    EXPECT_EQ(dialogs.messages, row.failure ? std::vector{failureMessage(row.failure)} : std::vector<std::string>{});
    EXPECT_EQ(form.hasEnded(), row.asked.find("leave") != std::string::npos);
    EXPECT_EQ(pictures.circles.size(), row.circles);
}

const std::string kEnded = "busy stop hide leave idle ";

const Row kRows[] = {
    {"NextQuestion", {"cmdNextQuestion"}, "busy idle ", 0, 0, "shown" + kQuestion},
    {"NextPicture", {"exitAhead", "cmd_next_picture"}, kEnded},
    {"EnterResponse", {"cmd_enter_response"}, "busy idle ", 0, 0, "", "", "typed\r\n"},
    {"SaveAsNotes", {"cmd_save_as_notes"}, "busy idle ", 0, 0, "", ""},
    {"DisplayNotes", {"cmd_display_note_file"}, "busy idle ", kFileNotFound},
    {"DisplayEverything", {"cmd_displayCumulativeText"}, "busy idle ", 0, 0, ""},
    {"ClearBox", {"cmd_clear_answer_box"}, "busy idle ", 0, 0, "shown", ""},
    {"CopyPicture", {"cmd_copy_picture"}, "busy copy idle "},
    {"PendExpStartsTheTimerOnce", {"cmd_pend_exp", "cmd_pend_exp", "tick"}, "busy timer idle busy idle ", 0, 1},
    {"Quit", {"cmd_quit"}, kEnded},
    {"IdleButtons", {"cmd_Make_paragraph", "cmd_Make_Paragraph_question", "cmd_timerTrigger", "txt_question"}, ""},
    {"AnUntrappedFailureIsReportedOnce", {"fail", "tick", "tick"}, "", kInternalError, 1},
    {"NothingRunsAfterTheEnd", {"close", "cmdNextQuestion", "tick", "change", "pause"}, "stop hide leave "},
    {"TheProgramEndsOnce", {"cmd_quit", "close"}, kEnded},
    {"EachChangeStartsThePauseOver", {"change", "change", "pause"}, "pause pause "},
    {"AFailedKeepIsTriedAtTheNextPause", {"block", "pause"}, "pause "},
};

INSTANTIATE_TEST_SUITE_P(Form, FormTest, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// A button given a command needs a row above to show where its press goes.
TEST(ControlTable, EveryCommandHasARow) {
    for (const form::Control& control : form::controls()) {
        if (!control.command) continue;
        const auto pressed = [&](const Row& row) { return std::ranges::count(row.steps, std::string(control.name)) > 0; };
        EXPECT_TRUE(std::ranges::any_of(kRows, pressed)) << control.name;
    }
}

}  // namespace
}  // namespace cj::test
