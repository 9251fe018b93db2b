#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "failure_messages.h"
#include "records.h"
#include "run_error.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

using testing::ElementsAre;

class Recording : public RunFixture {
protected:
    Recording() {
        start("1", "Student One", "STO", "1");
        header = readBytes(sendFile());
    }
    std::filesystem::path sendFile() const { return dataFile("send_1207Student_One.txt"); }
    std::filesystem::path notesFile() const { return dataFile("notes_Student_One.txt"); }
    std::filesystem::path masterFile() const { return dataFile("masterFile_Student_One.txt"); }
    std::filesystem::path responsesFile() const { return onDrive('i', "responses.txt"); }
    std::string sentSinceHeader() const { return readBytes(sendFile()).substr(header.size()); }

    std::string header;
};

TEST_F(Recording, AResponseGoesToTheSharedFileAndTheSendFile) {
    run().nextQuestion();
    boxes.answer = "OK";
    run().enterResponse();
    EXPECT_EQ(readBytes(responsesFile()), "OK\r\n");
    EXPECT_EQ(sentSinceHeader(), responseRecord("OK"));
    EXPECT_EQ(state().cumulativeText.substr(0, 26), " YOUR ANSWER  ->->->->  OK");
    EXPECT_FALSE(state().responsePending);
    EXPECT_EQ(boxes.question, "");
    EXPECT_EQ(boxes.answer, "");
    EXPECT_TRUE(dialogs.messages.empty());

    run().nextQuestion();  // nothing pending: the answer box stays empty
    EXPECT_EQ(boxes.answer, "");
}

TEST_F(Recording, EmptyAndMultiLineResponsesAreWrittenAsTheyAre) {
    boxes.answer = "";
    run().enterResponse();
    boxes.answer = "first\r\nsecond";
    run().enterResponse();
    EXPECT_EQ(readBytes(responsesFile()), "\r\nfirst\r\nsecond\r\n");
    EXPECT_EQ(sentSinceHeader(), responseRecord("") + responseRecord("first\r\nsecond"));
}

TEST_F(Recording, TheAnswerPromptCountsAsNothingTyped) {
    run().nextQuestion();
    boxes.question = "shown";
    boxes.answer = state().answerPrompt;
    const std::string cumulative = state().cumulativeText;
    run().enterResponse();
    boxes.answer = state().answerPrompt;
    run().saveAsNotes();
    EXPECT_EQ(readBytes(responsesFile()), "");
    EXPECT_EQ(sentSinceHeader(), "");
    EXPECT_FALSE(std::filesystem::exists(notesFile()));
    EXPECT_TRUE(state().responsePending);
    EXPECT_EQ(state().cumulativeText, cumulative);
    EXPECT_EQ(boxes.question, "");
    EXPECT_EQ(boxes.answer, "");
}

TEST_F(Recording, NotesGoToThreeFilesAndTheNextRecordFollowsOnTheSameLine) {
    run().nextQuestion();
    boxes.answer = "check units";
    run().saveAsNotes();
    EXPECT_EQ(readBytes(masterFile()), notesRecord(kQuestion, "check units", "\r\n"));
    EXPECT_EQ(readBytes(notesFile()), notesRecord(kQuestion, "check units", "       "));
    EXPECT_EQ(state().cumulativeText.substr(0, 40), " YOUR ANSWER  ->->->->  NOTES -------> c");
    EXPECT_EQ(state().workText, "NOTES -------> check units");
    EXPECT_FALSE(state().responsePending);

    boxes.answer = "OK";
    run().enterResponse();
    EXPECT_EQ(sentSinceHeader(), notesRecord(kQuestion, "check units", "       ") + responseRecord("OK"));
    EXPECT_EQ(readBytes(responsesFile()), "OK\r\n");
}

TEST_F(Recording, RecordingTwiceWritesTwoRecords) {
    boxes.answer = "a";
    run().saveAsNotes();
    boxes.answer = "a";
    run().saveAsNotes();
    EXPECT_EQ(readBytes(masterFile()), notesRecord("", "a", "\r\n") + notesRecord("", "a", "\r\n"));
}

// The student's own send file cannot be written: nothing may be lost or half-done.
class SendFileFails : public Recording {
protected:
    SendFileFails() {
        std::filesystem::remove(sendFile());
        std::filesystem::create_directory(sendFile());  // a folder where the file should be
        run().nextQuestion();
        boxes.question = "shown";
        cumulative = state().cumulativeText;
    }
    void expectNothingChanged(const std::string& typed) {
        EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathFileAccessError)));
        EXPECT_EQ(boxes.answer, typed);
        EXPECT_EQ(boxes.question, "shown");
        EXPECT_EQ(state().cumulativeText, cumulative);
        EXPECT_TRUE(state().responsePending);
        EXPECT_EQ(readBytes(responsesFile()), "");
    }
    std::string cumulative;
};

TEST_F(SendFileFails, AResponseIsKeptForAnotherTry) {
    boxes.answer = "my answer";
    run().enterResponse();
    expectNothingChanged("my answer");

    std::filesystem::remove(sendFile());
    run().enterResponse();
    EXPECT_EQ(readBytes(sendFile()), responseRecord("my answer"));
    EXPECT_EQ(readBytes(responsesFile()), "my answer\r\n");
}

TEST_F(SendFileFails, NotesAreKeptForAnotherTry) {
    boxes.answer = "my notes";
    run().saveAsNotes();
    expectNothingChanged("my notes");
    EXPECT_EQ(readBytes(masterFile()), "");
    EXPECT_FALSE(std::filesystem::exists(notesFile()));
}

TEST_F(Recording, WithoutTheSharedDriveTheResponseIsStillRecorded) {
    std::filesystem::remove_all(temp.path() / "i");
    std::filesystem::create_directories(temp.path() / "i" / "responses.txt");
    boxes.answer = "OK";
    run().enterResponse();
    EXPECT_EQ(sentSinceHeader(), responseRecord("OK"));
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathFileAccessError)));
    EXPECT_EQ(boxes.answer, "");
    EXPECT_EQ(state().cumulativeText, " YOUR ANSWER  ->->->->  OK");
}

TEST_F(Recording, AFailingNotesFileIsReportedButTheOtherFilesGetTheRecord) {
    std::filesystem::create_directory(notesFile());
    boxes.answer = "n";
    run().saveAsNotes();
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathFileAccessError)));
    EXPECT_EQ(readBytes(masterFile()), notesRecord("", "n", "\r\n"));
    EXPECT_EQ(sentSinceHeader(), notesRecord("", "n", "       "));
    EXPECT_EQ(boxes.answer, "");
}

struct LongNameRow {
    const char* label;
    std::string name;
    friend void PrintTo(const LongNameRow& row, std::ostream* os) { *os << row.label; }
};

class LongName : public RunFixture, public testing::WithParamInterface<LongNameRow> {};

// A name longer than a file name may be still gives files, and the header names the student in full.
TEST_P(LongName, GivesFilesThatRecord) {
    const std::string name = GetParam().name;
    start("1", name, "STO", "1");
    const std::string sent = readBytes(drives.locate(state().sendFilePath));
    EXPECT_NE(sent.find("\r\nStudent Name:  " + name + "\r\nassignment #001\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(drives.locate(state().masterFilePath)));

    run().nextQuestion();
    boxes.answer = "OK";
    run().enterResponse();
    boxes.answer = "units";
    run().saveAsNotes();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(readBytes(drives.locate(state().sendFilePath)).substr(sent.size()),
              responseRecord("OK") + notesRecord(kQuestion, "units", std::string(7, ' ')));
    EXPECT_EQ(readBytes(drives.locate(state().notesFilePath)), notesRecord(kQuestion, "units", std::string(7, ' ')));
    EXPECT_EQ(readBytes(drives.locate(state().masterFilePath)), notesRecord(kQuestion, "units", "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Names, LongName,
                         testing::Values(LongNameRow{"ThreeHundredLetters", std::string(300, 'x')},
                                         LongNameRow{"OneHundredFiftyTwoByteLetters", std::string(150, '\xE9')},
                                         LongNameRow{"ThreeHundredWithABlank", "Student " + std::string(292, 'y')}),
                         [](const testing::TestParamInfo<LongNameRow>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace cj::test
