#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "failure_messages.h"
#include "run_error.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

using testing::ElementsAre;

// With every draw 0.5 after a coding-number draw of 0, the noise line is 19 characters of code 186.
const std::string kNoiseLine(19, '\xBA');

std::string header(const std::string& name, const std::string& initials, const std::string& date = "12-07-2026") {
    return kNoiseLine + "\r\n" + "Student Name:  " + name + "\r\n" + "assignment #001\r\n" + "001.  Responses\r\n" +
           "Initials:  " + initials + "\r\n" + "Date and Time " + date + " 14:05:09\r\n";
}

class OpenAssignment : public RunFixture {
protected:
    OpenAssignment() { random.draws = {0.0f}; }
};

TEST_F(OpenAssignment, FindsAssignmentOneAndWritesTheHeader) {
    for (const std::string typed : {"1", "01", "001"}) {
        TempDir fresh;
        const DriveMap freshDrives = drivesUnder(fresh.path());
        cj::Run run(Platform{dialogs, boxes, pictures, clock, random, freshDrives});
        random.draws = {0.0f};
        dialogs.answers = {"1", "Student One", "STO", typed};
        run.startRun();
        run.openAssignment();
        EXPECT_EQ(run.state().lineIndex, 1) << typed;
        EXPECT_EQ(readBytes(fresh.path() / "c/qorsdata" / fileNamesOf().master), "");
        EXPECT_EQ(readBytes(fresh.path() / "i/responses.txt"), "");
        EXPECT_EQ(readBytes(fresh.path() / "c/qorsdata" / fileNamesOf().send), header("Student One", "STO"));
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OpenAssignment, DrawsTheNoiseLineRightAfterTheCodingNumber) {
    random.draws = {0.95f, 0.05f, 0.25f, 0.5f};  // codeNbr 28; the first pass adds an optional character
    start("1", "A", "B", "1");
    const std::string sent = readBytes(dataFile(fileNamesOf("A").send));
    EXPECT_EQ(sent.substr(0, 3), "\x4E\xBA\xBA");
    EXPECT_EQ(sent.find("\r\n"), 29u);  // 1 optional + 28 main characters
    EXPECT_EQ(random.drawn, 1 + 3 + 27 * 2);
}

TEST_F(OpenAssignment, KeepsExistingFilesAndAddsOneHeaderPerStart) {
    writeBytes(dataFile(fileNamesOf().master), "old master\r\n");
    writeBytes(onDrive('i', "responses.txt"), "someone\r\n");
    start("1", "Student One", "STO", "1");
    cj::Run second(platform());
    random.draws = {0.0f};
    dialogs.answers = {"1", "Student One", "STO", "1"};
    second.startRun();
    second.openAssignment();

    EXPECT_EQ(readBytes(dataFile(fileNamesOf().master)), "old master\r\n");
    EXPECT_EQ(readBytes(onDrive('i', "responses.txt")), "someone\r\n");
    EXPECT_EQ(readBytes(dataFile(fileNamesOf().send)), header("Student One", "STO") + header("Student One", "STO"));

    clock.time.day = 8;
    cj::Run nextDay(platform());
    random.draws = {0.0f};
    dialogs.answers = {"1", "Student One", "STO", "1"};
    nextDay.startRun();
    nextDay.openAssignment();
    EXPECT_EQ(readBytes(dataFile(fileNamesOf("Student One", "12-08-2026").send)), header("Student One", "STO", "12-08-2026"));
}

TEST_F(OpenAssignment, WritesEmptyNameAndInitialsAsTyped) {
    start("1", "", "", "1");
    EXPECT_EQ(readBytes(dataFile(fileNamesOf("").send)), header("", ""));
    EXPECT_TRUE(std::filesystem::exists(dataFile(fileNamesOf("").master)));
}

TEST_F(OpenAssignment, AnAssignmentTheScriptLacksEndsTheProgramWithoutWriting) {
    for (const std::string typed : {"2", "0001", "abc", ""}) {
        cj::Run run(platform());
        dialogs.messages.clear();
        dialogs.answers = {"1", "A", "B", typed};
        run.startRun();
        EXPECT_THROW(run.openAssignment(), ProgramEnded) << typed;
        EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kSubscriptOutOfRange)));
        EXPECT_EQ(run.state().lineIndex, 5001);
    }
    EXPECT_FALSE(std::filesystem::exists(dataFile(fileNamesOf("A").master)));
    EXPECT_FALSE(std::filesystem::exists(dataFile(fileNamesOf("A").send)));
    EXPECT_FALSE(std::filesystem::exists(onDrive('i', "responses.txt")));
}

// A home computer without the shared drive: i: cannot be written.
class WithoutSharedDrive : public OpenAssignment {
protected:
    WithoutSharedDrive() {
        drives = DriveMap([this](char letter) {
            return letter == 'i' ? temp.path() / "no-such-drive" : temp.path() / std::string(1, letter);
        });
        std::filesystem::create_directories(temp.path() / "c");
    }
};

TEST_F(WithoutSharedDrive, StillWritesTheStudentsHeaderThenReportsTheFailure) {
    start("1", "Student One", "STO", "1");
    EXPECT_EQ(readBytes(dataFile(fileNamesOf().send)), header("Student One", "STO"));
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathNotFound)));
    EXPECT_EQ(state().lineIndex, 1);
}

TEST_F(WithoutSharedDrive, ANetworkUserWithoutTheDriveIsToldOnce) {
    start("2", "Student One", "STO", "1");
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathNotFound)));
    EXPECT_FALSE(std::filesystem::exists(dataFile(fileNamesOf().send)));
}

TEST(FailureMessages, EndWithTheErrorNumber) {
    EXPECT_THAT(failureMessage(53), testing::EndsWith("The error is:  53"));
    EXPECT_THAT(failureMessage(13), testing::EndsWith("The error is:  13"));
    EXPECT_THAT(failureMessage(9), testing::EndsWith("'subscript out of range' error"));
}

}  // namespace
}  // namespace cj::test
