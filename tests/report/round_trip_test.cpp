#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "class_reading.h"
#include "page_text.h"
#include "participation_csv.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

using namespace std::chrono_literals;
using report::Attendance;
using report::ClassReport;
using testing::ElementsAre;

// The report of a data folder and a class file that the run itself wrote.
class ReportRoundTrip : public RunFixture {
protected:
    ClassReport reportOfTheFiles() {
        ClassReport found;
        const report::Warn warn = [&](const std::string& where, const std::string& what) {
            found.warnings.push_back(where + ": " + what);
        };
        report::ClassReading reading(found, {}, clock, warn);
        for (const auto& file : report::findFiles({onDrive('c', "qorsdata"), onDrive('i', "responses.txt")}, warn)) {
            reading.read(file);
        }
        return found;
    }

    void at(int day, int hour, int minute) {
        clock.time.day = day;
        clock.time.hour = hour;
        clock.time.minute = minute;
    }

    // One more start of the program, as the window makes it.
    void startAgain() {
        again_ = std::make_unique<cj::Run>(platform());
        dialogs.answers = {"1", "Student One", "STO", "1"};
        again_->startRun();
        again_->openAssignment();
    }
    cj::Run& latest() { return again_ ? *again_ : run(); }
    void respond(const std::string& typed) {
        boxes.answer = typed;
        latest().enterResponse();
    }

    static std::vector<std::string> entriesOf(const Attendance& a) {
        std::vector<std::string> shown;
        for (const report::Entry& e : a.entries) {
            shown.push_back(report::clockTime(e.seconds) +
                            (e.kind == RecordRead::Kind::Notes ? " notes " : " response ") + e.question + "|" + e.text);
        }
        return shown;
    }

private:
    std::unique_ptr<cj::Run> again_;
};

TEST_F(ReportRoundTrip, GivesBackEveryRecordWithItsStudentDayAndTime) {
    start("1", "Student One", "STO", "1");  // 12-07-2026 14:05:09
    run().nextQuestion();
    record(Command::Response, "OK");
    at(7, 14, 10);
    record(Command::Notes, "check units");
    record(Command::Response, "caf\xe9 au lait\r\nsecond line");
    at(7, 16, 0);
    startAgain();
    at(7, 16, 2);
    respond("again");
    at(8, 9, 0);
    startAgain();
    at(8, 9, 1);
    respond("next day");
    boxes.answer = "never recorded";
    latest().keepDraft();
    clock.written = clock.time;

    const ClassReport found = reportOfTheFiles();
    EXPECT_THAT(found.warnings, ElementsAre());
    ASSERT_EQ(found.days.size(), 2u);
    const Attendance& first = found.days.at(2026y / 12 / 7).at("Student_One");
    EXPECT_EQ(first.name, "Student One");
    EXPECT_EQ(first.initials, "STO");
    EXPECT_EQ(first.starts, 2);
    EXPECT_THAT(entriesOf(first),
                ElementsAre("14:05:09 response |OK", "14:10:09 notes Please respond to the question.|check units",
                            "14:10:09 response |caf\xe9 au lait\r\nsecond line", "16:02:09 response |again"));
    EXPECT_FALSE(first.draft);
    const Attendance& second = found.days.at(2026y / 12 / 8).at("Student_One");
    EXPECT_THAT(entriesOf(second), ElementsAre("09:01:09 response |next day"));
    EXPECT_EQ(second.draft, "never recorded");
    ASSERT_EQ(found.classFiles.size(), 1u);
    EXPECT_EQ(found.classFiles[0].lines, 5u);
    EXPECT_EQ(found.keptFiles.at("Student_One").notesInNotesFile, 1);
    EXPECT_EQ(found.keptFiles.at("Student_One").notesInMasterFile, 1);
    EXPECT_EQ(report::participationCsv(found),
              "\xEF\xBB\xBFname,initials,date,responses,notes,first time,last time\r\n"
              "Student One,STO,2026-12-07,3,1,14:05:09,16:02:09\r\n"
              "Student One,STO,2026-12-08,1,0,09:00:09,09:01:09\r\n");
}

}  // namespace
}  // namespace cj::test
