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

struct MissedFileRow {
    const char* name;
    Command command;
    RecordFile missed;
};

void PrintTo(const MissedFileRow& row, std::ostream* out) { *out << row.name; }

// One file of a record cannot take it (a folder stands where it should be), then can again.
class OneFileMissesTheRecord : public Recording, public testing::WithParamInterface<MissedFileRow> {};

TEST_P(OneFileMissesTheRecord, AndTheNextClickGivesEveryFileTheRecordOnce) {
    const MissedFileRow& row = GetParam();
    const auto missing = fileOf(row.missed);
    std::filesystem::remove(missing);
    std::filesystem::create_directory(missing);
    run().nextQuestion();

    record(row.command, "mine");
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathFileAccessError)));
    // Only the class file has somewhere else to wait: the student's own files keep the text in the box.
    EXPECT_EQ(boxes.answer, row.missed == RecordFile::Class ? "" : "mine");
    EXPECT_EQ(state().responsePending, row.missed != RecordFile::Class);

    std::filesystem::remove(missing);
    record(row.command, boxes.answer.empty() ? "next" : boxes.answer);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(boxes.answer, "");
    // The send file that stood in the way had taken the header at start-up.
    const std::string sendBefore = row.missed == RecordFile::Send ? "" : header;
    if (row.command == Command::Response) {
        const bool twoRecords = row.missed == RecordFile::Class;
        EXPECT_EQ(readBytes(sendFile()), sendBefore + responseRecord("mine") + (twoRecords ? responseRecord("next") : ""));
        EXPECT_EQ(readBytes(responsesFile()), twoRecords ? "mine\r\nnext\r\n" : "mine\r\n");
        const auto outbox = dataFile("unsent_Student_One.txt");
        EXPECT_EQ(std::filesystem::exists(outbox) ? readBytes(outbox) : "", "");
        EXPECT_EQ(state().cumulativeText.find(" YOUR ANSWER  ->->->->  mine"), twoRecords ? 28u : 0u);
    } else {
        EXPECT_EQ(readBytes(sendFile()), sendBefore + notesRecord(kQuestion, "mine", "       "));
        EXPECT_EQ(readBytes(notesFile()), notesRecord(kQuestion, "mine", "       "));
        EXPECT_EQ(readBytes(masterFile()), notesRecord(kQuestion, "mine", "\r\n"));
        EXPECT_EQ(readBytes(responsesFile()), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    RecordAndFile, OneFileMissesTheRecord,
    testing::Values(MissedFileRow{"ResponseSendFile", Command::Response, RecordFile::Send},
                    MissedFileRow{"ResponseClassFile", Command::Response, RecordFile::Class},
                    MissedFileRow{"NotesSendFile", Command::Notes, RecordFile::Send},
                    MissedFileRow{"NotesMasterFile", Command::Notes, RecordFile::Master},
                    MissedFileRow{"NotesNotesFile", Command::Notes, RecordFile::Notes}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Recording, ATextChangedAfterAFailureIsANewRecord) {
    std::filesystem::create_directory(notesFile());
    boxes.answer = "first";
    run().saveAsNotes();
    std::filesystem::remove(notesFile());
    boxes.answer = "second";
    run().saveAsNotes();
    EXPECT_EQ(readBytes(notesFile()), notesRecord("", "second", "       "));
    EXPECT_EQ(readBytes(masterFile()), notesRecord("", "first", "\r\n") + notesRecord("", "second", "\r\n"));
}

// The class file is told about once a run; its lines wait for it, in order, across runs.
TEST_F(Recording, WithoutTheClassFileLinesWaitInTheOutboxUntilItIsBack) {
    std::filesystem::remove(responsesFile());
    std::filesystem::create_directory(responsesFile());
    for (const char* answer : {"one", "two"}) {
        boxes.answer = answer;
        run().enterResponse();
    }
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathFileAccessError)));
    EXPECT_EQ(readBytes(dataFile("unsent_Student_One.txt")), "one\r\ntwo\r\n");
    EXPECT_EQ(sentSinceHeader(), responseRecord("one") + responseRecord("two"));

    std::filesystem::remove(responsesFile());
    run().finishRun();
    EXPECT_EQ(readBytes(responsesFile()), "one\r\ntwo\r\n");
    EXPECT_EQ(readBytes(dataFile("unsent_Student_One.txt")), "");
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
    const std::string sent = readBytes(drives.locate(toUtf8(state().sendFilePath)));
    EXPECT_NE(sent.find("\r\nStudent Name:  " + name + "\r\nassignment #001\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(drives.locate(toUtf8(state().masterFilePath))));

    run().nextQuestion();
    boxes.answer = "OK";
    run().enterResponse();
    boxes.answer = "units";
    run().saveAsNotes();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(readBytes(drives.locate(toUtf8(state().sendFilePath))).substr(sent.size()),
              responseRecord("OK") + notesRecord(kQuestion, "units", std::string(7, ' ')));
    EXPECT_EQ(readBytes(drives.locate(toUtf8(state().notesFilePath))), notesRecord(kQuestion, "units", std::string(7, ' ')));
    EXPECT_EQ(readBytes(drives.locate(toUtf8(state().masterFilePath))), notesRecord(kQuestion, "units", "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Names, LongName,
                         testing::Values(LongNameRow{"ThreeHundredLetters", std::string(300, 'x')},
                                         LongNameRow{"OneHundredFiftyTwoByteLetters", std::string(150, '\xE9')},
                                         LongNameRow{"ThreeHundredWithABlank", "Student " + std::string(292, 'y')}),
                         [](const testing::TestParamInfo<LongNameRow>& info) { return std::string(info.param.label); });

// Students whose names Windows-1252 cannot write get files of their own, named as they typed.
TEST_F(Recording, NamesInOtherScriptsKeepTheirFilesApart) {
    for (const std::string name : {"王伟", "李娜"}) {
        dialogs.typedAs["??"] = name;
        cj::Run student(platform());
        dialogs.answers = {"1", "??", "S", "1"};
        student.startRun(), student.openAssignment();
        const std::string file = "qorsdata/send_1207" + name + ".txt";
        EXPECT_NE(readBytes(onDrive('c', "") / std::u8string(file.begin(), file.end())).find("Name:  ??\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace cj::test
