#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <set>

#include "failure_messages.h"
#include "query_conversion.h"
#include "records.h"
#include "run_fixture.h"
#include "text_files.h"

namespace cj::test {
namespace {

constexpr int kStudents = 8;
constexpr int kResponsesEach = 500;

std::string responseText(int student, int n) {
    // Lengths vary up to a few kilobytes, longer than any single buffer a writer might split at.
    return "student " + std::to_string(student) + " response " + std::to_string(n) + " " +
           std::string(static_cast<std::size_t>(50 + (n % 7) * 700), static_cast<char>('a' + student));
}

// One student's whole run, in a process of its own; the exit code says whether all went well.
int studentProcess(const std::filesystem::path& root, int student) {
    FakePlatform fakes;
    fakes.drives = drivesUnder(root);
    cj::Run run(fakes.platform());
    fakes.dialogs.answers = {"1", "Student " + std::to_string(student), "S", "1"};
    run.startRun();
    run.openAssignment();
    for (int n = 0; n < kResponsesEach; ++n) {
        fakes.boxes.answer = responseText(student, n);
        run.enterResponse();
    }
    return fakes.dialogs.messages.empty() ? 0 : 1;
}

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
    std::set<std::string> expected;
    for (int student = 0; student < kStudents; ++student) {
        for (int n = 0; n < kResponsesEach; ++n) expected.insert(responseText(student, n));
    }
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
            lock.l_start = static_cast<off_t>(kSharedLockOffset);
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

double secondsFor(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(SharedFileLock, AnAppendWaitsForTheLockThenLandsOnce) {
    TempDir temp;
    const auto file = temp.path() / "responses.txt";
    writeBytes(file, "earlier\r\n");
    LockHolder other(file, std::chrono::milliseconds(1000));
    EXPECT_GT(secondsFor([&] { appendToSharedFile(file, "mine\r\n"); }), 0.8);
    EXPECT_EQ(readBytes(file), "earlier\r\nmine\r\n");
}

class SharedFileLockedTooLong : public RunFixture {};

// The record in the student's own send file counts; only the class's file misses it.
TEST_F(SharedFileLockedTooLong, ReportsPermissionDeniedWithTheSendFilesRecordInPlace) {
    start("1", "Student One", "STO", "1");
    const auto shared = onDrive('i', "responses.txt");
    const std::string sent = readBytes(dataFile("send_1207Student_One.txt"));
    LockHolder other(shared, kSharedLockWait + std::chrono::seconds(10));
    boxes.answer = "OK";
    const double waited = secondsFor([&] { run().enterResponse(); });
    EXPECT_GE(waited, 4.9);
    EXPECT_LT(waited, 7.0);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{failureMessage(kPermissionDenied)});
    EXPECT_EQ(readBytes(dataFile("send_1207Student_One.txt")), sent + responseRecord("OK"));
    EXPECT_EQ(readBytes(shared), "");
    EXPECT_EQ(boxes.answer, "");
}

}  // namespace
}  // namespace cj::test
