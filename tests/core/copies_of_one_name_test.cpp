#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "answer_draft_fixture.h"

namespace cj::test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

struct CopiesRow {
    const char* name;
    // Copies of Student One started, typed into and ended; each ends as it goes out of scope.
    std::function<void(FakePlatform&)> act;
    std::string nextStartFinds;
};

void PrintTo(const CopiesRow& row, std::ostream* os) { *os << row.name; }

class CopiesOfOneName : public FakePlatform, public testing::TestWithParam<CopiesRow> {};

// Whatever two or three copies of one name typed comes back, once, to the next start.
TEST_P(CopiesOfOneName, LoseNothingTypedAndRestoreNothingTwice) {
    GetParam().act(*this);
    Copy next(*this);
    EXPECT_EQ(next.boxes.answer, GetParam().nextStartFinds);
    EXPECT_THAT(next.dialogs.messages, testing::Each(testing::StartsWith("The answer you had not yet entered")));
}

const CopiesRow kCopies[] = {
    {"ASecondCopyRestoresNoneOfTheFirstsDraft",
     [](FakePlatform& computer) {
         Copy first(computer);
         first.type("alpha");
         Copy second(computer);
         EXPECT_THAT(second.dialogs.messages, ElementsAre(kNameInUse));
         EXPECT_EQ(second.boxes.answer, "");
         second.type("beta");
         second.run.finishRun();
         first.run.finishRun();
     },
     "alpha\r\nbeta"},
    {"TheCloseBoxOfOneLosesNothingTheOtherTyped",
     [](FakePlatform& computer) {
         auto first = std::make_unique<Copy>(computer);
         auto second = std::make_unique<Copy>(computer);
         second->boxes.answer = "beta";
         first->boxes.answer = "alpha";
         second->run.finishRun();
         second.reset();
         first->run.finishRun();
     },
     "alpha\r\nbeta"},
    {"AThirdCopyKeepsApartFromTwoRunning",
     [](FakePlatform& computer) {
         Copy first(computer), second(computer);
         first.type("alpha");
         second.type("beta");
         Copy third(computer);
         EXPECT_EQ(third.boxes.answer, "");
         third.type("gamma");
     },
     "alpha\r\nbeta\r\ngamma"},
    {"WhatCameBackOnceIsKeptOnce",
     [](FakePlatform& computer) {
         {
             Copy first(computer), second(computer);
             first.type("alpha");
             second.type("beta");
         }
         Copy alone(computer);
         EXPECT_EQ(alone.boxes.answer, "alpha\r\nbeta");
         EXPECT_THAT(alone.dialogs.messages, ElementsAre(testing::StartsWith("The answer you had not yet entered")));
         alone.run.finishRun();
     },
     "alpha\r\nbeta"},
    {"WhatCameBackAndWasRecordedNeverComesBack",
     [](FakePlatform& computer) {
         {
             Copy first(computer), second(computer);
             second.type("beta");
         }
         Copy alone(computer);
         alone.run.enterResponse();
         alone.run.finishRun();
     },
     ""},
    {"ACopyStartedWhileTheFirstRunsGetsBackWhatTheSecondLeft",
     [](FakePlatform& computer) {
         Copy first(computer);
         first.type("alpha");
         { Copy(computer).type("beta"); }
         Copy again(computer);
         EXPECT_EQ(again.boxes.answer, "beta");
         again.run.finishRun();
         first.run.finishRun();
     },
     "alpha\r\nbeta"},
};

INSTANTIATE_TEST_SUITE_P(Drafts, CopiesOfOneName, testing::ValuesIn(kCopies),
                         [](const testing::TestParamInfo<CopiesRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::test
