#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "answer_draft_fixture.h"

namespace cj::test {
namespace {

// Saves go on in another process while the draft is read again and again; once a save has
// written its text beside the draft, it is killed before it can rename it over the draft.
TEST_F(AnswerDraft, ASaveKilledBetweenWriteAndRenameLeavesTheOldDraftWhole) {
    const std::string older(4'000'000, 'o'), newer(4'000'000, 'n');
    startWith({});
    type(older);
    const pid_t saver = fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
        for (int i = 0;; ++i) type(i % 2 ? older : newer);
    }
    bool killedBeforeRename = false, whole = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!killedBeforeRename && whole && std::chrono::steady_clock::now() < deadline) {
        const std::optional<std::string> seen = draft();
        whole = seen == older || seen == newer;
        for (const auto& entry : std::filesystem::directory_iterator(draftFile().parent_path())) {
            std::error_code gone;
            const bool written = entry.path() != draftFile() && entry.file_size(gone) == older.size();
            if (written && !killedBeforeRename) killedBeforeRename = kill(saver, SIGKILL) == 0;
        }
    }
    kill(saver, SIGKILL);
    waitpid(saver, nullptr, 0);
    EXPECT_TRUE(whole) << "a torn draft was read while saving";
    EXPECT_TRUE(killedBeforeRename);
    const std::optional<std::string> left = draft();
    EXPECT_TRUE(left == older || left == newer) << "a torn draft was left";
}

class CopyInAnotherProcess : public FakePlatform, public testing::Test {};

// The first copy of a name runs in another process: a second is told the name is in use, gets
// none of the first's draft, and what each typed comes back once at the next start.
TEST_F(CopyInAnotherProcess, KeepsItsDraftApart) {
    int started[2], ended[2];
    ASSERT_EQ(pipe(started) | pipe(ended), 0);
    char signal = 0;
    const pid_t first = fork();
    if (first == 0) {
        Copy copy(*this);
        copy.type("alpha");
        _exit(write(started[1], "s", 1) == 1 && read(ended[0], &signal, 1) == 1 ? 0 : 1);
    }
    ASSERT_EQ(read(started[0], &signal, 1), 1);
    {
        Copy second(*this);
        EXPECT_THAT(second.dialogs.messages, testing::ElementsAre(kNameInUse));
        EXPECT_EQ(second.boxes.answer, "");
        second.type("beta");
    }
    int status = -1;
    ASSERT_EQ(write(ended[1], "e", 1), 1);
    waitpid(first, &status, 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Copy(*this).boxes.answer, "alpha\r\nbeta");
}

}  // namespace
}  // namespace cj::test
