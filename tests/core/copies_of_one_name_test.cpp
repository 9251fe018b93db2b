#include <gtest/gtest.h>

#include <functional>

#include "answer_draft_fixture.h"

namespace cj::test {
namespace {

struct CopiesRow {
    const char* name;
    std::function<void(FakePlatform&)> act;  // copies of Student One started, typed into and ended
    std::string nextStartFinds;
};

void PrintTo(const CopiesRow& row, std::ostream* os) { *os << row.name; }

class CopiesOfOneName : public FakePlatform, public testing::TestWithParam<CopiesRow> {};

// Whatever copies of one name typed comes back, once, to the next start.
TEST_P(CopiesOfOneName, LoseNothingTypedAndRestoreNothingTwice) {
    GetParam().act(*this);
    EXPECT_EQ(Copy(*this).boxes.answer, GetParam().nextStartFinds);
}

const CopiesRow kCopies[] = {
    {"WhatCameBackIsKeptOnce",
     [](FakePlatform& computer) {
         { Copy first(computer), second(computer); first.type("alpha"), second.type("beta"); }
         Copy(computer).run.finishRun();
     },
     "alpha\r\nbeta"},
    {"WhatCameBackAndWasRecordedNeverComesBack",
     [](FakePlatform& computer) {
         { Copy first(computer), second(computer); first.type("alpha"), second.type("beta"); }
         Copy(computer).run.enterResponse();
     },
     ""},
};

INSTANTIATE_TEST_SUITE_P(Drafts, CopiesOfOneName, testing::ValuesIn(kCopies),
                         [](const testing::TestParamInfo<CopiesRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::test
