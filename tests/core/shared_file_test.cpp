#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <set>

#include "failure_messages.h"
#include "many_students.h"
#include "query_conversion.h"
#include "records.h"
#include "run_fixture.h"
#include "appends.h"

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

TEST(SharedFileLock, AnAppendWaitsForTheLockThenLandsOnce) {
    TempDir temp;
    const auto file = temp.path() / "responses.txt";
    writeBytes(file, "earlier\r\n");
    LockHolder other(file, std::chrono::milliseconds(1000));
    EXPECT_GT(timeOf([&] { appendToFile(file, "mine\r\n"); }), std::chrono::milliseconds(800));
    EXPECT_EQ(readBytes(file), "earlier\r\nmine\r\n");
}

class SharedFileLockedTooLong : public RunFixture {};

// The record in the student's own send file counts; the class's line waits in the outbox.
TEST_F(SharedFileLockedTooLong, ReportsPermissionDeniedWithTheSendFilesRecordInPlace) {
    start("1", "Student One", "STO", "1");
    const auto shared = onDrive('i', "responses.txt");
    const std::string sent = readBytes(dataFile("send_1207Student_One.txt"));
    LockHolder other(shared, kLockWait + std::chrono::seconds(10));
    boxes.answer = "OK";
    const auto waited = timeOf([&] { run().enterResponse(); });
    EXPECT_GE(waited, kLockWait - std::chrono::milliseconds(100));
    EXPECT_LT(waited, kLockWait + std::chrono::seconds(2));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{failureMessage(kPermissionDenied)});
    EXPECT_EQ(readBytes(dataFile("send_1207Student_One.txt")), sent + responseRecord("OK"));
    EXPECT_EQ(readBytes(shared), "");
    EXPECT_EQ(readBytes(dataFile("unsent_Student_One.txt")), "OK\r\n");
    EXPECT_EQ(boxes.answer, "");
}

}  // namespace
}  // namespace cj::test
