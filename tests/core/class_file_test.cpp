#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <random>
#include <set>
#include <thread>

#include "appends.h"
#include "failure_messages.h"
#include "many_students.h"
#include "query_conversion.h"
#include "record_layouts.h"
#include "records.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

TEST(SharedResponsesFile, StudentsAppendingAtOnceNeverInterleaveInsideALine) {
    TempDir temp;
    std::vector<pid_t> children;
    for (int student = 0; student < kStudents; ++student) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) _exit(studentProcess(temp.path(), student));
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const auto lines = splitLines(readBytes(temp.path() / "i" / "responses.txt"));
    const auto expected = allResponses();
    EXPECT_EQ(lines.size(), expected.size());
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), expected);
}

// Another student's program holding the shared file's lock byte, from a process of its own,
// for `hold` or until the object goes.
class LockHolder {
public:
    LockHolder(const std::filesystem::path& file, std::chrono::milliseconds hold) {
        int ready[2];
        if (pipe(ready) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            const int fd = open(file.c_str(), O_WRONLY | O_CREAT, 0666);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            lock.l_start = static_cast<off_t>(kLockOffset);
            lock.l_len = 1;
            const bool locked = fd >= 0 && fcntl(fd, F_SETLKW, &lock) == 0;
            if (write(ready[1], &locked, 1) != 1) _exit(1);
            usleep(static_cast<useconds_t>(hold.count()) * 1000);
            _exit(0);
        }
        char locked = 0;
        if (read(ready[0], &locked, 1) != 1 || !locked) throw std::runtime_error("the lock was not taken");
        close(ready[0]);
        close(ready[1]);
    }
    ~LockHolder() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_ = -1;
};

TEST(ClassFileLock, AnAppendWaitsForTheLockThenLandsOnce) {
    TempDir temp;
    const auto file = temp.path() / "responses.txt";
    writeBytes(file, "earlier\r\n");
    LockHolder other(file, std::chrono::milliseconds(1000));
    EXPECT_GT(timeOf([&] { appendToFile(file, "mine\r\n"); }), std::chrono::milliseconds(800));
    EXPECT_EQ(readBytes(file), "earlier\r\nmine\r\n");
}

// Whole lines up to a page, then a longer line alone. A piece cut wrong there can leave the
// append spinning: the alarm ends it in seconds.
TEST(LongAppends, EndInTime) {
    TempDir temp;
    const std::string bytes = "short\r\n" + std::string(5000, 'x') + "\r\n";
    alarm(10);
    appendToFile(temp.path() / "f.txt", bytes);
    alarm(0);
    EXPECT_EQ(readBytes(temp.path() / "f.txt"), bytes);
}

class ClassFileLockedTooLong : public RunFixture {};

// The record in the student's own send file counts; the class's line waits in the outbox, from
// before the wait on, so that a kill in the wait leaves it there.
TEST_F(ClassFileLockedTooLong, ReportsPermissionDeniedWithTheSendFilesRecordInPlace) {
    start("1", "Student One", "STO", "1");
    const auto shared = onDrive('i', "responses.txt");
    const std::string sent = readBytes(dataFile(fileNamesOf().send));
    LockHolder other(shared, kLockWait + std::chrono::seconds(10));
    boxes.answer = "OK";
    std::string inTheWait;
    std::thread look([&, outbox = dataFile(fileNamesOf().outbox)] {
        std::this_thread::sleep_for(kLockWait / 2);
        if (std::filesystem::exists(outbox)) inTheWait = readBytes(outbox);
    });
    const auto waited = timeOf([&] { run().enterResponse(); });
    look.join();
    EXPECT_EQ(inTheWait, "OK\r\n");
    EXPECT_GE(waited, kLockWait - std::chrono::milliseconds(100));
    EXPECT_LT(waited, kLockWait + std::chrono::seconds(2));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{failureMessage(kPermissionDenied)});
    EXPECT_EQ(readBytes(dataFile(fileNamesOf().send)), sent + responseRecord("OK"));
    EXPECT_EQ(readBytes(shared), "");
    EXPECT_EQ(readBytes(dataFile(fileNamesOf().outbox)), "OK\r\n");
    EXPECT_EQ(boxes.answer, "");
}

// A student's program killed with SIGKILL at random moments of a record, of a delivery and of
// the wait for the class file, then started again: no class line is lost, repeated or glued to
// a fragment, and each of the student's files holds each confirmed record once.
struct KillRow {
    const char* name;
    int waitingLines;  // in the outbox at start
    bool lockHeld;     // by another program, until the kill
    int killWithinMs, runs;
    friend void PrintTo(const KillRow& row, std::ostream* out) { *out << row.name; }
};

char kindOf(int n) { return n % 3 == 2 ? 'N' : 'R'; }
// R a response, N notes, B a line waiting in the outbox; each its own, some longer than a page.
std::string textOf(char kind, int run, int n) {
    const auto length = static_cast<std::size_t>(run * 7919 + n * 104729) % 6000;
    return kind + std::to_string(n) + ":" + std::string(length, static_cast<char>('a' + n % 26));
}

struct Student : FakePlatform {
    explicit Student(const std::filesystem::path& root) {
        drives = drivesUnder(root);
        dialogs.answers = {"1", "Student One", "STO", "1"};
        run.startRun();
        run.openAssignment();
    }
    void click() { boxes.answer[0] == 'R' ? run.enterResponse() : run.saveAsNotes(); }
    cj::Run run{platform()};
};

// Each record found must start where a record may, never after a fragment.
std::size_t countIn(const std::string& file, const std::string& record) {
    std::size_t count = 0;
    for (std::size_t at = file.find(record); at != std::string::npos; at = file.find(record, at + 1), ++count) {
        const std::string before = file.substr(0, at);
        EXPECT_TRUE(before.empty() || before.ends_with("\n") || before.ends_with("\n" + kDotLine + kPrintZoneAdvance)) << "glued";
    }
    return count;
}

class KilledAtRandom : public testing::TestWithParam<KillRow> {};

TEST_P(KilledAtRandom, LosesNoClassLineGluesNoneAndRepeatsNone) {
    const KillRow& row = GetParam();
    std::mt19937 random(20261207);
    for (int run = 0; run < row.runs && !HasFailure(); ++run) {
        TempDir temp;
        const auto data = temp.path() / "c" / "qorsdata", outbox = data / fileNamesOf().outbox;
        const auto classFile = temp.path() / "i" / "responses.txt";
        const auto bytesOf = [](const auto& file) { return std::filesystem::exists(file) ? readBytes(file) : ""; };
        std::set<std::string> owed;
        std::string waiting;
        for (int n = 0; n < row.waitingLines; ++n) waiting += *owed.insert(textOf('B', run, n)).first + "\r\n";
        writeBytes(outbox, waiting);
        writeBytes(classFile, "");
        std::optional<LockHolder> other;
        if (row.lockHeld) other.emplace(classFile, std::chrono::seconds(30));
        int confirmed[2];
        ASSERT_EQ(pipe(confirmed), 0);
        const pid_t pid = fork();
        // Types, pauses (the draft is kept) and clicks until killed, telling of each record confirmed;
        // the wait's one record keeps no draft, so that only the outbox can keep its line.
        if (pid == 0) {
            Student student(temp.path());
            for (int n = 0;; ++n) {
                student.boxes.answer = textOf(kindOf(n), run, n);
                if (!row.lockHeld) student.run.keepDraft();
                student.click();
                if (student.boxes.answer.empty() && write(confirmed[1], &n, sizeof n) != sizeof n) _exit(1);
                if (row.lockHeld) pause();
            }
        }
        close(confirmed[1]);
        // The wait is killed once it has begun, well before it ends: its line must be in the outbox.
        for (int i = 0; row.lockHeld && i < 1000; ++i, usleep(1000)) {
            if (bytesOf(outbox).find(*owed.insert(textOf('R', run, 0)).first) != std::string::npos) break;
        }
        usleep(std::uniform_int_distribution(0, row.killWithinMs * 1000)(random));
        kill(pid, SIGKILL), waitpid(pid, nullptr, 0), other.reset();
        std::vector<int> records;
        for (int n = 0; read(confirmed[0], &n, sizeof n) == sizeof n;) records.push_back(n);
        close(confirmed[0]);
        Student again(temp.path());
        again.run.restoreDraft();
        if (!again.boxes.answer.empty()) again.click();
        again.run.finishRun();

        for (const int n : records) {
            if (kindOf(n) == 'R') owed.insert(textOf('R', run, n));
        }
        const std::string classBytes = readBytes(classFile);
        for (const std::string& line : owed) {
            EXPECT_TRUE(countIn(classBytes, line + "\r\n") == 1 || bytesOf(outbox).find(line) != std::string::npos);
        }
        // A line a kill tore stands alone, the start of its whole self, never glued to another.
        for (const std::string& line : splitLines(classBytes)) {
            EXPECT_TRUE(line.size() < 2 || textOf(line[0], run, std::atoi(line.c_str() + 1)).starts_with(line));
        }
        const std::string send = readBytes(data / fileNamesOf().send), blanks(7, ' ');
        const std::string master = bytesOf(data / fileNamesOf().master);
        const std::string notes = bytesOf(data / fileNamesOf().notes);
        for (int n = 0; n <= (records.empty() ? 0 : records.back() + 1); ++n) {
            const std::string text = textOf(kindOf(n), run, n);
            const std::vector<std::size_t> counts =
                kindOf(n) == 'R' ? std::vector{countIn(send, responseRecord(text))}
                                 : std::vector{countIn(send, notesRecord("", text, blanks)),
                                               countIn(master, notesRecord("", text, "\r\n")),
                                               countIn(notes, notesRecord("", text, blanks))};
            const bool sure = std::ranges::find(records, n) != records.end();
            for (const std::size_t count : counts) EXPECT_TRUE(count <= 1 && (!sure || count == 1)) << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, KilledAtRandom,
                         testing::Values(KillRow{"ARecord", 0, false, 25, 80}, KillRow{"ADelivery", 300, false, 10, 70},
                                         KillRow{"TheWait", 0, true, 25, 50}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::test
