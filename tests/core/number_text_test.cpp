#include <gtest/gtest.h>

#include "number_text.h"
#include "run_error.h"

namespace cj {
namespace {

TEST(NumberFromAnswer, ReadsWholeDecimalAnswers) {
    const std::pair<std::string, double> rows[] = {
        {"2", 2}, {"02", 2}, {" 2 ", 2}, {"1", 1}, {"0", 0}, {"22", 22}, {"-2", -2}, {"+2", 2}, {"2.0", 2}, {"2e0", 2},
    };
    for (const auto& [answer, value] : rows) EXPECT_EQ(numberFromAnswer(answer), value) << answer;
}

TEST(NumberFromAnswer, RejectsWhatIsNotANumber) {
    for (const std::string answer : {"", " ", "two", "2x", "nan", "inf", "2 2", "."}) {
        try {
            numberFromAnswer(answer);
            ADD_FAILURE() << answer;
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), kTypeMismatch) << answer;
        }
    }
}

struct AssignmentRow {
    std::string typed, number, next;
    friend void PrintTo(const AssignmentRow& r, std::ostream* os) { *os << '"' << r.typed << '"'; }
};

class AssignmentNumbers : public testing::TestWithParam<AssignmentRow> {};

TEST_P(AssignmentNumbers, PadAndCountOn) {
    const std::string number = padAssignmentNumber(GetParam().typed);
    EXPECT_EQ(number, GetParam().number);
    EXPECT_EQ(padAssignmentNumber(numberText(numericValue(number) + 1)), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Typed, AssignmentNumbers,
                         testing::Values(AssignmentRow{"1", "001", "002"}, AssignmentRow{"01", "001", "002"},
                                         AssignmentRow{"001", "001", "002"}, AssignmentRow{"12", "012", "013"},
                                         AssignmentRow{"99", "099", "100"}, AssignmentRow{"123", "123", "124"},
                                         AssignmentRow{"999", "999", "1000"}, AssignmentRow{"1234", "1234", "1235"},
                                         AssignmentRow{"7x", "07x", "008"}, AssignmentRow{" 7", "0 7", "008"},
                                         AssignmentRow{"abc", "abc", "001"}, AssignmentRow{"", "", "001"}));

TEST(NumericValue, SkipsBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(numericValue("1 2\t3\n4"), 1234);
    EXPECT_EQ(numericValue("-1.5e1x"), -15);
    EXPECT_EQ(numericValue("e5"), 0);
}

TEST(NumberText, WritesWholeNumbersAsDigitsAndFractionsWithAPoint) {
    EXPECT_EQ(numberText(1000), "1000");
    EXPECT_EQ(numberText(-4), "-4");
    EXPECT_EQ(numberText(2.5), "2.5");
    EXPECT_EQ(numberText(1e20), "100000000000000000000");
    EXPECT_EQ(numberText(-0.0), "0");
}

}  // namespace
}  // namespace cj
