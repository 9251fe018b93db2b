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

// A second copy of a name, in another process, is told the name is in use and gets none of the
// first one's draft; what each typed comes back once at the next start.
TEST_F(CopyInAnotherProcess, KeepsItsDraftApart) {
    {
        Copy first(*this);
        first.type("alpha");
        if (const pid_t second = fork(); second == 0) {
            Copy copy(*this);
            const bool apart = copy.dialogs.messages == std::vector<std::string>{kNameInUse} && copy.boxes.answer.empty();
            copy.type("beta");
            _exit(apart ? 0 : 1);
        } else {
            int status = -1;
            waitpid(second, &status, 0);
            EXPECT_EQ(status, 0);
        }
    }
    EXPECT_EQ(Copy(*this).boxes.answer, "alpha\r\nbeta");
}

}  // namespace
}  // namespace cj::test
