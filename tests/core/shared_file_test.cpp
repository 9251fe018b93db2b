#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "query_conversion.h"
#include "run_fixture.h"

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

}  // namespace
}  // namespace cj::test
