#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <stdexcept>
#include <thread>

#include "control_table.h"
#include "failure_messages.h"
#include "fakes.h"
#include "form.h"

namespace cj::test {
namespace {

// Writes down, in order, what the form asks of the toolkit, and behaves as a toolkit's window:
// what the student gives while file work is waited for is held, but for the timer, and served
// afterwards; a held click on a disabled button does nothing.
struct FakeWindow : form::ToolkitWindow {
    std::string asked;
    std::function<void(const std::string&)> take;
    std::vector<std::string> meanwhile;  // given during the next wait for file work
    std::deque<std::string> held;
    bool recordingEnabled = true;

    void stopTimers() override { asked += "stop "; }
    void hideWindow() override { asked += "hide "; }
    void leaveEventLoop() override { asked += "leave "; }
    void startDraftPause() override { asked += "pause "; }
    void showBusy(bool busy) override { asked += busy ? "busy " : "idle "; }
    void enableRecording(bool enabled) override { asked += (recordingEnabled = enabled) ? "enable " : "disable "; }
    void serveHeldInput() override { asked += "serve ", serve(); }
    void serve() {
        while (!held.empty()) {
            const std::string step = held.front();
            held.pop_front();
            const form::Control* pressed = form::findControl(step);
            if (recordingEnabled || !pressed || !pressed->command.records) take(step);
        }
    }
    void waitUntil(const std::function<bool()>& done) override {
        if (!meanwhile.empty()) asked += done() ? "done " : "wait ";
        for (const std::string& step : std::exchange(meanwhile, {})) step == "tick" ? take(step) : held.push_back(step);
        while (!done()) std::this_thread::yield();
    }
    void wake() override {}
    void copyPicture() override { asked += "copy "; }
    bool startPictureTimer() override {
        asked += "timer ";
        return true;
    }
};

const std::string kQuestion = "Please respond to the question.";

// Steps are controls pressed, or: "tick" of the picture timer, "close" box, answer box
// "change", draft "pause" over, "fail" the next draw, "block" the draft file, "exitAhead" a
// question next, then a routine line that ends the program, "type" a key into the answer box,
// "note" what the answer box holds when the next message is shown.
// A step after "~" is given while the next command waits on its file work, each file call
// taking 20 ms; one after "@" while the next message is shown.
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
        if (step.starts_with("~")) {
            drives = DriveMap([this](char letter) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                return temp.path() / std::string(1, letter);
            });
            return window.meanwhile.push_back(step.substr(1));
        }
        if (step.starts_with("@")) return void(dialogs.whileShown = [this, step] { take(step.substr(1)); });
        if (step == "note") return void(dialogs.whileShown = [this] { window.asked += "message:" + boxes.answer + " "; });
        if (step == "tick") return form.pictureTimerTicked();
        if (step == "type") {
            boxes.answer += "n";
            return form.answerChanged();
        }
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

    FormTest() { window.take = [this](const std::string& step) { take(step); }; }

    FakeWindow window;
    form::Form form{platform(), window};
};

TEST_P(FormTest, DoesWhatTheStepsAsk) {
    const Row& row = GetParam();
    dialogs.answers = {"1", "Student One", "STO", "1"};
    form.load();
    boxes.question = "shown";
    boxes.answer = "typed";
    for (const std::string& step : row.steps) {
        take(step);
        // What the event loop would serve next.
        window.serve();
    }
    EXPECT_EQ(window.asked, row.asked);
    EXPECT_EQ(boxes.question, row.question);
    EXPECT_EQ(boxes.answer, row.answer);
    EXPECT_EQ(classFile(), row.classFile);
    EXPECT_EQ(dialogs.messages, row.failure ? std::vector{failureMessage(row.failure)} : std::vector<std::string>{});
    EXPECT_EQ(form.hasEnded(), row.asked.find("leave") != std::string::npos);
    EXPECT_EQ(pictures.circles.size(), row.circles);
}

const std::string kEnded = "busy idle stop hide leave ";
const std::string kRecorded = "busy disable idle serve enable ";

const Row kRows[] = {
    {"NextQuestion", {"cmdNextQuestion"}, "busy idle ", 0, 0, "shown" + kQuestion},
    {"NextPicture", {"exitAhead", "cmd_next_picture"}, kEnded},
    {"EnterResponse", {"cmd_enter_response"}, kRecorded, 0, 0, "", "", "typed\r\n"},
    {"SaveAsNotes", {"cmd_save_as_notes"}, kRecorded, 0, 0, "", ""},
    {"DisplayNotes", {"cmd_display_note_file"}, "busy idle serve ", kFileNotFound},
    {"DisplayEverything", {"cmd_displayCumulativeText"}, "busy idle ", 0, 0, ""},
    {"ClearBox", {"cmd_clear_answer_box"}, "busy idle ", 0, 0, "shown", ""},
    {"CopyPicture", {"cmd_copy_picture"}, "busy copy idle "},
    {"PendExpStartsTheTimerOnce", {"cmd_pend_exp", "cmd_pend_exp", "tick"}, "busy timer idle busy idle ", 0, 1},
    {"Quit", {"cmd_quit"}, kEnded},
    {"IdleButtons", {"cmd_Make_paragraph", "cmd_Make_Paragraph_question", "cmd_timerTrigger", "txt_question"}, ""},
    {"AnUntrappedFailureIsReportedOnce", {"fail", "tick", "tick"}, "", kInternalError, 1},
    {"NothingRunsAfterTheEnd", {"close", "cmdNextQuestion", "tick", "change", "pause"}, "stop hide leave "},
    {"TheProgramEndsOnce", {"cmd_quit", "close"}, kEnded},
    {"EachChangeStartsThePauseOver", {"change", "change", "pause"}, "pause pause pause "},
    {"AFailedKeepIsTriedAtTheNextPause", {"block", "pause", "pause"}, "pause pause "},
    // Given while a command waits on the share.
    {"TypedAheadDuringARecordIsKept", {"~txt_answer", "~type", "~type", "cmd_enter_response"},
     "busy disable wait idle serve pause pause enable ", 0, 0, "", "nn", "typed\r\n"},
    {"TheTimerTicksDuringARecord", {"~tick", "cmd_enter_response"}, "busy disable wait idle serve enable ", 0, 1, "", "",
     "typed\r\n"},
    {"ASecondEnterResponseDuringARecordIsDropped", {"~cmd_enter_response", "~cmd_save_as_notes", "cmd_enter_response"},
     "busy disable wait idle serve enable ", 0, 0, "", "", "typed\r\n"},
    {"NextQuestionDuringDisplayNotesRunsAfter", {"~cmdNextQuestion", "cmd_display_note_file"},
     "busy wait idle serve busy idle ", kFileNotFound, 0, "shown" + kQuestion},
    {"KeysTypedAheadReachTheBoxBeforeTheMessage", {"note", "~type", "cmd_display_note_file"},
     "busy wait idle serve pause message:typedn ", kFileNotFound, 0, "shown", "typedn"},
    {"CloseDuringAWaitEndsAfterItsMessage", {"~close", "cmd_display_note_file"}, "busy wait idle serve stop hide leave ",
     kFileNotFound},
    {"CloseDuringARecordEndsAfterIt", {"~close", "cmd_enter_response"}, "busy disable wait idle serve stop hide leave ", 0,
     0, "", "", "typed\r\n"},
    {"QuitDuringARecordEndsAfterIt", {"~cmd_quit", "cmd_enter_response"},
     "busy disable wait idle serve enable busy idle stop hide leave ", 0, 0, "", "", "typed\r\n"},
    {"CloseDuringAMessageEndsAfterIt", {"@close", "cmd_display_note_file", "cmdNextQuestion"},
     "busy idle serve stop hide leave ", kFileNotFound},
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
