#include <gtest/gtest.h>

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

}  // namespace
}  // namespace cj::test
