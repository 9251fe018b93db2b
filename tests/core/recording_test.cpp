#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "clock_text.h"
#include "failure_messages.h"
#include "file_names.h"
#include "records.h"
#include "run_error.h"
#include "run_fixture.h"
#include "system_services.h"

namespace cj::test {
namespace {

using testing::ElementsAre;
using testing::AllOf;
using testing::HasSubstr;

class Recording : public RunFixture {
protected:
    Recording() {
        start("1", "Student One", "STO", "1");
        header = readBytes(sendFile());
    }
    std::filesystem::path sendFile() const { return dataFile(fileNamesOf().send); }
    std::filesystem::path notesFile() const { return dataFile(fileNamesOf().notes); }
    std::filesystem::path masterFile() const { return dataFile(fileNamesOf().master); }
    std::filesystem::path responsesFile() const { return onDrive('i', "responses.txt"); }
    std::string sentSinceHeader() const { return readBytes(sendFile()).substr(header.size()); }

    std::string header;
};

TEST_F(Recording, AResponseGoesToTheClassFileAndTheSendFile) {
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

// What happens between a click that one file missed and the next click.
enum class Between { Nothing, ThePromptPutBack, ARestart, TheNextDay };

struct MissedFileRow {
    const char* name;
    Command command;
    RecordFile missed;  // a folder stands in its way, or else a link to the master file
    Between between;
    // Each file at the end: H the header, M the record of "mine", N the record of "next",
    // T what the master file held; the class file as it is.
    std::string send, master, notes, classFile;
};

void PrintTo(const MissedFileRow& row, std::ostream* out) { *out << row.name; }

using enum Between;
using enum RecordFile;
constexpr Command kResponse = Command::Response, kNotes = Command::Notes;

class OneFileMissesTheRecord : public Recording, public testing::WithParamInterface<MissedFileRow> {
protected:
    std::string expected(const std::string& pattern, const std::string& notesEnding) const {
        const auto record = [&](const std::string& typed) {
            const bool response = GetParam().command == kResponse;
            return response ? responseRecord(typed) : notesRecord(kQuestion, typed, notesEnding);
        };
        std::string bytes;
        for (const char c : pattern) {
            bytes += c == 'H' ? header : c == 'T' ? "theirs\r\n" : record(c == 'M' ? "mine" : "next");
        }
        return bytes;
    }
    std::string bytesOr(const std::filesystem::path& f) const { return std::filesystem::exists(f) ? readBytes(f) : ""; }
};

TEST_P(OneFileMissesTheRecord, AndTheNextClickGivesEveryFileTheRecordOnce) {
    const MissedFileRow& row = GetParam();
    const auto missing = fileOf(row.missed);
    std::filesystem::remove(missing);
    if (row.master.starts_with('T')) {
        writeBytes(masterFile(), "theirs\r\n");
        std::filesystem::create_hard_link(masterFile(), missing);
    } else {
        std::filesystem::create_directory(missing);
    }
    run().nextQuestion();

    record(row.command, "mine");
    const bool outbox = row.missed == Outbox, own = row.missed != Class && !outbox;
    EXPECT_THAT(dialogs.messages, ElementsAre(HasSubstr(outbox ? "(error 75)" : "The error is:  75")));
    // Only the class file's line has somewhere else to wait: the student's own files keep the text in the box.
    EXPECT_EQ(boxes.answer, own ? "mine" : "");
    EXPECT_EQ(state().responsePending, own);

    if (!outbox) std::filesystem::remove(missing);
    if (row.between == ThePromptPutBack) run().nextQuestion();
    if (row.between == ARestart) restart();
    if (row.between == TheNextDay) {
        last_write_time(fileOf(Outbox), last_write_time(fileOf(Outbox)) - std::chrono::hours(24));
    }
    dialogs.messages.clear();
    record(row.command, own ? "mine" : "next");
    // The lines of the day before are told of, and kept apart.
    EXPECT_EQ(dialogs.messages.size(), row.between == TheNextDay ? 1u : 0u);
    if (row.between == TheNextDay) {
        const std::string dayBefore = dateText(localTimeOf(std::time(nullptr) - 24 * 3600));
        EXPECT_EQ(readBytes(dataFile(unsentOfDay(fileNamesOf().outbox, dayBefore))), "mine\r\n");
    }
    EXPECT_EQ(boxes.answer, "");
    EXPECT_EQ(readBytes(sendFile()), expected(row.send, "       "));
    EXPECT_EQ(bytesOr(masterFile()), expected(row.master, "\r\n"));
    EXPECT_EQ(bytesOr(notesFile()), expected(row.notes, "       "));
    EXPECT_EQ(readBytes(responsesFile()), row.classFile);
    if (!outbox) {
        EXPECT_EQ(bytesOr(fileOf(Outbox)), "");
    }
    if (row.command == kResponse) {
        EXPECT_EQ(state().cumulativeText.find(" YOUR ANSWER  ->->->->  mine"), own ? 0u : 28u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RecordAndFile, OneFileMissesTheRecord,
    testing::Values(MissedFileRow{"ResponseSendFile", kResponse, Send, Nothing, "M", "", "", "mine\r\n"},
                    MissedFileRow{"ResponseClassFile", kResponse, Class, Nothing, "HMN", "", "", "mine\r\nnext\r\n"},
                    MissedFileRow{"NotesSendFile", kNotes, Send, Nothing, "M", "M", "M", ""},
                    MissedFileRow{"NotesMasterFile", kNotes, Master, Nothing, "HM", "M", "M", ""},
                    MissedFileRow{"NotesNotesFile", kNotes, Notes, Nothing, "HM", "M", "M", ""},
                    // Typed again after the box was given the prompt: a new record, for every file.
                    MissedFileRow{"NotesMasterFileThenThePromptPutBack", kNotes, Master, ThePromptPutBack, "HMM", "M",
                                  "MM", ""},
                    // Completed at the next start, with the same bytes, in the file that missed it alone.
                    MissedFileRow{"NotesMasterFileThenARestart", kNotes, Master, ARestart, "HMH", "M", "M", ""},
                    MissedFileRow{"NotesSendFileThenARestart", kNotes, Send, ARestart, "HM", "M", "M", ""},
                    MissedFileRow{"ResponseClassFileThenTheNextDay", kResponse, Class, TheNextDay, "HMN", "", "",
                                  "next\r\n"},
                    // An outbox that cannot serve: the lines go straight to the class file, told once.
                    MissedFileRow{"ResponseOutboxAFolder", kResponse, Outbox, Nothing, "HMN", "", "",
                                  "mine\r\nnext\r\n"},
                    MissedFileRow{"ResponseOutboxLinkedToTheMasterFile", kResponse, Outbox, Nothing, "HMN", "T", "",
                                  "mine\r\nnext\r\n"}),
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
    EXPECT_EQ(readBytes(dataFile(fileNamesOf().outbox)), "one\r\ntwo\r\n");
    EXPECT_EQ(sentSinceHeader(), responseRecord("one") + responseRecord("two"));

    std::filesystem::remove(responsesFile());
    run().finishRun();
    EXPECT_EQ(readBytes(responsesFile()), "one\r\ntwo\r\n");
    EXPECT_EQ(readBytes(dataFile(fileNamesOf().outbox)), "");
}

// The lines of a day before whose day file is unusable go to the second place for them, and
// the outbox stays free for today's lines; should that place be unusable too, they stay in the
// outbox, told of, and today's lines neither join them nor wait behind them.
class UnusableDayFile : public Recording, public testing::WithParamInterface<bool> {};

TEST_P(UnusableDayFile, LeavesTodaysLinesAWayToTheClassFile) {
    const bool secondPlaceToo = GetParam();
    const auto outbox = dataFile(fileNamesOf().outbox);
    writeBytes(outbox, "mine\r\n");
    last_write_time(outbox, last_write_time(outbox) - std::chrono::hours(24));
    const std::string dayBefore = dateText(localTimeOf(std::time(nullptr) - 24 * 3600));
    const auto elsewhere = dataFile(unsentOfDayElsewhere(fileNamesOf().outbox, dayBefore));
    std::filesystem::create_directory(dataFile(unsentOfDay(fileNamesOf().outbox, dayBefore)));
    if (secondPlaceToo) std::filesystem::create_directory(elsewhere);
    // The class file away: today's line has to wait, or fail when it cannot.
    std::filesystem::remove(responsesFile());
    std::filesystem::create_directory(responsesFile());
    boxes.answer = "next";
    run().enterResponse();
    std::filesystem::remove(responsesFile());
    if (!secondPlaceToo) boxes.answer = "last";
    run().enterResponse();

    const auto told = HasSubstr("1 line of the answers you gave on " + dayBefore);
    if (secondPlaceToo) {
        EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathFileAccessError), AllOf(told, HasSubstr("(error 75)"))));
        EXPECT_EQ(readBytes(outbox), "mine\r\n");
        EXPECT_EQ(readBytes(responsesFile()), "next\r\n");
    } else {
        EXPECT_THAT(dialogs.messages,
                    ElementsAre(failureMessage(kPathFileAccessError), AllOf(told, HasSubstr(" (2).txt"))));
        EXPECT_EQ(readBytes(elsewhere), "mine\r\n");
        EXPECT_EQ(readBytes(outbox), "");
        EXPECT_EQ(readBytes(responsesFile()), "next\r\nlast\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(DayFile, UnusableDayFile, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "SecondPlaceTooStayInTheOutbox" : "SecondPlace"; });

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
