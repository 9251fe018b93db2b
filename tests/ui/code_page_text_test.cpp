#include <gtest/gtest.h>

#include "code_page_text.h"

namespace cj::ui {
namespace {

struct Crossing {
    const char* name;
    QString shown;
    std::string bytes;
};

void PrintTo(const Crossing& row, std::ostream* os) { *os << row.name; }

class ToCodePageTest : public testing::TestWithParam<Crossing> {};

TEST_P(ToCodePageTest, KeepsWhatTheCodePageHoldsAndMarksTheRest) {
    EXPECT_EQ(toCodePage(GetParam().shown), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, ToCodePageTest,
    testing::Values(Crossing{"CodePageCharacters", QString::fromUtf8("Zoë\u00A0€\u0081"), "Zo\xEB\xA0\x80\x81"},
                    Crossing{"OutsideTheCodePage", QString::fromUtf8("Ω→"), "??"},
                    Crossing{"SurrogatePairIsOneCharacter", QString::fromUtf8("a😀b"), "a?b"},
                    Crossing{"LoneSurrogate", QStringLiteral("a") + QChar(char16_t{0xD800}), "a?"},
                    Crossing{"EachLineBreakIsOneCrLf", QStringLiteral("a\nb\r\nc\u2029d\u2028e"),
                             "a\r\nb\r\nc\r\nd\r\ne"}),
    [](const testing::TestParamInfo<Crossing>& info) { return std::string(info.param.name); });

TEST(ToQStringTest, ShowsEveryByteAndCrLfAsOneBreak) {
    EXPECT_EQ(toQString("a\r\nb\x80\x81\xFF"), QString::fromUtf8("a\nb€\u0081ÿ"));
    EXPECT_EQ(toQString("x\ry\nz"), QStringLiteral("x\ry\nz"));
}

}  // namespace
}  // namespace cj::ui
