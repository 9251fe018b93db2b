#include <gtest/gtest.h>

#include <memory>

#include "answer_draft_fixture.h"

namespace cj::test {
namespace {

class CopiesOfOneName : public FakePlatform, public testing::Test {};

// What two copies of one name left comes back to the next start once, and never again once
// recorded.
TEST_F(CopiesOfOneName, LeaveDraftsThatComeBackOnce) {
    {
        Copy first(*this), second(*this);
        first.type("alpha"), second.type("beta");
    }
    Copy(*this).run.finishRun();
    Copy again(*this);
    EXPECT_EQ(again.boxes.answer, "alpha\r\nbeta");
    again.run.enterResponse();
    EXPECT_EQ(Copy(*this).boxes.answer, "");
}

// Each copy that runs keeps its draft; one more than may run is told so before its window.
TEST_F(CopiesOfOneName, AllKeepTheirDraftsAndOneTooManyDoesNotRun) {
    std::string typed;
    {
        std::vector<std::unique_ptr<Copy>> copies;
        for (int copy = 1; copy <= kCopiesPerName; ++copy) {
            copies.push_back(std::make_unique<Copy>(*this));
            copies.back()->type("c" + std::to_string(copy));
            typed += (copy > 1 ? "\r\n" : "") + copies.back()->boxes.answer;
        }
        EXPECT_THROW(Copy(*this), ProgramEnded);
    }
    EXPECT_EQ(Copy(*this).boxes.answer, typed);
}

}  // namespace
}  // namespace cj::test
