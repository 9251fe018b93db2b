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
    testing::Values(Crossing{"Latin1", QString::fromUtf8("Zoë ÿ\u00A0"), "Zo\xEB \xFF\xA0"},
                    Crossing{"HighControls", QString::fromUtf8("€\u0081…Ÿ"), "\x80\x81\x85\x9F"},
                    Crossing{"OutsideTheCodePage", QString::fromUtf8("Ω→"), "??"},
                    Crossing{"SurrogatePairIsOneCharacter", QString::fromUtf8("a😀b"), "a?b"},
                    Crossing{"LoneSurrogate", QStringLiteral("a") + QChar(char16_t{0xD800}) + QStringLiteral("b"), "a?b"},
                    Crossing{"NewLine", QStringLiteral("a\nb"), "a\r\nb"},
                    Crossing{"CrLfIsOneBreak", QStringLiteral("a\r\nb"), "a\r\nb"},
                    Crossing{"ParagraphSeparator", QStringLiteral("a\u2029b"), "a\r\nb"},
                    Crossing{"LineSeparator", QStringLiteral("a\u2028b"), "a\r\nb"}),
    [](const testing::TestParamInfo<Crossing>& info) { return std::string(info.param.name); });

TEST(ToQStringTest, ShowsEveryByteAndCrLfAsOneBreak) {
    EXPECT_EQ(toQString("a\r\nb\x80\x81\xFF"), QString::fromUtf8("a\nb€\u0081ÿ"));
    EXPECT_EQ(toQString("x\ry\nz"), QStringLiteral("x\ry\nz"));
}

TEST(FittedToCodePageTest, ReplacesOnlyWhatTheCodePageLacks) {
    EXPECT_EQ(fittedToCodePage(QString::fromUtf8("a€Ω😀\u2029?b")), QString::fromUtf8("a€??\u2029?b"));
}

}  // namespace
}  // namespace cj::ui
