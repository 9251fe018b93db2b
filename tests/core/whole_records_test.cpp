// A file that cannot take a whole record keeps its exact bytes; these tests need POSIX
// processes and resource limits.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "failure_messages.h"
#include "records.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

// Runs action in a child process that cannot make any file longer than limit bytes (with
// SIGXFSZ ignored a write comes back short, then fails with EFBIG). The child's exit code is
// the one error number it showed (0 for none, 255 for anything else), plus 128 when the
// answer box kept what was typed.
int inChildThatCannotGrowFiles(off_t limit, const std::function<void()>& action, const FakePlatform& fakes) {
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit size{};
        getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = static_cast<rlim_t>(limit);
        setrlimit(RLIMIT_FSIZE, &size);
        const std::string typed = fakes.boxes.answer;
        action();
        const auto& shown = fakes.dialogs.messages;
        int code = shown.empty() ? 0 : shown.size() == 1 && shown[0] == failureMessage(kDiskFull) ? kDiskFull : 255;
        _exit(code | (fakes.boxes.answer == typed ? 128 : 0));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct FaultRow {
    const char* name;
    Command command;
    RecordFile target;
    std::string oneRecord;  // what the target receives from one command that lands
};

void PrintTo(const FaultRow& row, std::ostream* out) { *out << row.name; }

const std::string kTyped = "my answer";

class WholeRecords : public RunFixture, public testing::WithParamInterface<FaultRow> {
protected:
    WholeRecords() {
        start("1", "Student One", "STO", "1");
        run().nextQuestion();
    }
};

TEST_P(WholeRecords, AFileThatCannotGrowKeepsItsBytesAndTheNextTryLeavesOneRecord) {
    const FaultRow& row = GetParam();
    const auto target = fileOf(row.target);
    // Far longer than any other file, so that only this one reaches the limit.
    const std::string before = std::string(65536, 'x') + "\r\n";
    writeBytes(target, before);

    boxes.answer = kTyped;
    const int outcome = inChildThatCannotGrowFiles(static_cast<off_t>(before.size()) + 10,
                                                   [&] { record(row.command, kTyped); }, *this);
    EXPECT_EQ(outcome & 127, kDiskFull);
    EXPECT_EQ(readBytes(target), before);
    // A record stays in the box to be tried again until the student's own files have it; the
    // class file's line waits in the outbox instead.
    EXPECT_EQ(outcome >= 128, row.target != RecordFile::Class);

    record(row.command, kTyped);
    EXPECT_EQ(readBytes(target), before + row.oneRecord);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFileOfARecord, WholeRecords,
    testing::Values(FaultRow{"ResponseInTheSendFile", Command::Response, RecordFile::Send, responseRecord(kTyped)},
                    // The failed run's line from the outbox, then this run's.
                    FaultRow{"ResponseInTheClassFile", Command::Response, RecordFile::Class,
                             kTyped + "\r\n" + kTyped + "\r\n"},
                    FaultRow{"NotesInTheSendFile", Command::Notes, RecordFile::Send,
                             notesRecord(kQuestion, kTyped, "       ")},
                    FaultRow{"NotesInTheMasterFile", Command::Notes, RecordFile::Master,
                             notesRecord(kQuestion, kTyped, "\r\n")},
                    FaultRow{"NotesInTheNotesFile", Command::Notes, RecordFile::Notes,
                             notesRecord(kQuestion, kTyped, "       ")}),
    [](const auto& info) { return std::string(info.param.name); });

class HeaderFaults : public RunFixture {
protected:
    std::filesystem::path sendFile() const { return dataFile(fileNamesOf().send); }
    void startAs(const std::string& name) {
        dialogs.answers = {"1", name, "STO", "1"};
        run().startRun();
        run().openAssignment();
    }
};

TEST_F(HeaderFaults, AHeaderThatCannotGrowTheSendFileLeavesItAsItWas) {
    const std::string before = std::string(65536, 'x') + "\r\n";
    writeBytes(sendFile(), before);
    const int outcome = inChildThatCannotGrowFiles(static_cast<off_t>(before.size()) + 10,
                                                   [&] { startAs("Student One"); }, *this);
    EXPECT_EQ(outcome & 127, kDiskFull);
    EXPECT_EQ(readBytes(sendFile()), before);
}

// Whatever keeps the header out at start-up, it still comes before the first record that lands.
TEST_F(HeaderFaults, AHeaderThatFailedAtStartPrecedesTheFirstRecord) {
    std::filesystem::create_directories(sendFile());  // a folder where the file should be
    startAs("Student One");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{failureMessage(kPathFileAccessError)});
    EXPECT_TRUE(std::filesystem::exists(dataFile(fileNamesOf().master)));
    EXPECT_FALSE(std::filesystem::exists(onDrive('i', "responses.txt")));  // start-up stopped there

    std::filesystem::remove(sendFile());
    boxes.answer = "OK";
    run().enterResponse();
    boxes.answer = "OK";
    run().enterResponse();
    // The noise line, then the rest of the header, then the two records: nothing else.
    const std::string sent = readBytes(sendFile());
    EXPECT_EQ(sent.substr(sent.find("\r\n") + 2),
              "Student Name:  Student One\r\nassignment #001\r\n001.  Responses\r\nInitials:  STO\r\n"
              "Date and Time 12-07-2026 14:05:09\r\n" +
                  responseRecord("OK") + responseRecord("OK"));
}

}  // namespace
}  // namespace cj::test
