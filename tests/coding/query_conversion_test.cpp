#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "query_conversion.h"

namespace cj {
namespace {

using testing::ElementsAre;

TEST(SplitLines, EndsLinesAtCrLfOnly) {
    EXPECT_THAT(splitLines(""), ElementsAre());
    EXPECT_THAT(splitLines("ab\r\ncd\r\n"), ElementsAre("ab", "cd"));
    EXPECT_THAT(splitLines("ab\r\ncd"), ElementsAre("ab", "cd"));
    EXPECT_THAT(splitLines("\r\n\r\n"), ElementsAre("", ""));
    EXPECT_THAT(splitLines("a\nb\rc"), ElementsAre("a\nb\rc"));
}

struct QueryLine {
    std::string in, out;
    friend void PrintTo(const QueryLine& q, std::ostream* os) { *os << '"' << q.in << '"'; }
};

class ConvertQueryLine : public testing::TestWithParam<QueryLine> {};

TEST_P(ConvertQueryLine, KeepsAssignDropsQueryTag) { EXPECT_EQ(convertQueryLine(GetParam().in, 12), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(Lines, ConvertQueryLine,
                         testing::Values(QueryLine{"Assignment 3", "Assignment 3"},
                                         QueryLine{"Query 1 What is it?", "query What is it?"},
                                         QueryLine{"Plain text", "Plain text"},
                                         QueryLine{"query ", "query"},
                                         QueryLine{"QUERY 1", "query"},
                                         QueryLine{"query 12", "query2"},
                                         QueryLine{"querys tail", "querys tail"},
                                         QueryLine{"query", "query"},
                                         QueryLine{"", ""},
                                         QueryLine{"aSsIgN me", "aSsIgN me"}));

}  // namespace
}  // namespace cj
