#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>

#include "line_coding.h"
#include "run_error.h"

namespace cj {
namespace {

std::string bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) s += static_cast<char>(c);
    return s;
}

struct Draws {
    std::deque<float> values;
    int taken = 0;
    float operator()() {
        ++taken;
        if (values.empty()) return 0.5f;
        const float v = values.front();
        values.pop_front();
        return v;
    }
};

std::string codeLineFrom(float codeNbr, Draws& draws) {
    return makeCodeLine(codeNbr, [&] { return draws(); });
}

TEST(Code, ReturnsEveryLineUnchanged) {
    std::string high;
    for (int c = 128; c < 256; ++c) high += static_cast<char>(c);
    for (const std::string& line : {std::string(), std::string("  both ends  "), high, std::string("a\r\nb")}) {
        for (float n : {0.0f, 19.0f, 28.0f, 12.0f}) EXPECT_EQ(code(line, n), line);
    }
}

struct CodeLineCase {
    std::deque<float> draws;
    std::string expected;
    int drawsTaken;
    friend void PrintTo(const CodeLineCase& c, std::ostream* os) { *os << c.draws.size() << " draws"; }
};

class MakeCodeLine : public testing::TestWithParam<CodeLineCase> {};

TEST_P(MakeCodeLine, BuildsOnePassFromItsDraws) {
    Draws draws{GetParam().draws};
    EXPECT_EQ(codeLineFrom(1, draws), GetParam().expected);
    EXPECT_EQ(draws.taken, GetParam().drawsTaken);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, MakeCodeLine,
    testing::Values(
        // halves go to the even neighbour: 78.5 -> 78, 186.5 -> 186
        CodeLineCase{{0.05f, 0.25f, 0.5f}, bytes({78, 186}), 3},
        CodeLineCase{{0.5f, 0.999f}, bytes({255}), 2},
        // exactly the single-precision 0.1 adds no optional character
        CodeLineCase{{0.1f, 0.0f}, bytes({118}), 2},
        CodeLineCase{{std::nextafter(0.1f, 0.0f), 0.0f, 0.0f}, bytes({66, 118}), 3},
        CodeLineCase{{0.0f, std::nextafter(1.0f, 0.0f), std::nextafter(1.0f, 0.0f)}, bytes({116, 255}), 3}));

TEST(MakeCodeLine, TakesCodeNbrPassesAndNeverALowCode) {
    Draws noDraws;
    EXPECT_EQ(codeLineFrom(0, noDraws), "");
    EXPECT_EQ(noDraws.taken, 0);

    Draws fewest{std::deque<float>(38, 0.5f)};
    EXPECT_EQ(codeLineFrom(19, fewest).size(), 19u);
    EXPECT_EQ(fewest.taken, 38);

    Draws most{std::deque<float>(57, 0.0f)};
    EXPECT_EQ(codeLineFrom(19, most).size(), 38u);
    EXPECT_EQ(most.taken, 57);

    unsigned seed = 7;
    auto lcg = [&] { return static_cast<float>((seed = seed * 1103515245u + 12345u) >> 8) / 16777216.0f; };
    for (int run = 0; run < 200; ++run) {
        for (const char c : makeCodeLine(28, lcg)) {
            EXPECT_GE(static_cast<unsigned char>(c), 66);
            EXPECT_NE(static_cast<unsigned char>(c), 117);
        }
    }
}

struct DecodeCase {
    std::string line;
    float codeNbr;
    std::string expected;
    friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << testing::PrintToString(c.line); }
};

class Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, MapsCodesBack) { EXPECT_EQ(decode(GetParam().line, GetParam().codeNbr), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, Decode,
                         testing::Values(DecodeCase{"A b", 19, bytes({255, 32})},
                                         DecodeCase{bytes({151}), 19, " "},
                                         DecodeCase{bytes({0}), 28, bytes({181})},
                                         DecodeCase{"", 19, ""},
                                         DecodeCase{bytes({66, 100, 118}), 23, ""}));

TEST(Decode, FailsOnACodeBelowZero) {
    try {
        decode(bytes({120}), 28);
        FAIL();
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), kInvalidArgument);
    }
}

TEST(RemSpaces, DropsBlanksAndHyphensOnly) {
    EXPECT_EQ(remSpaces("a-b c"), "abc");
    EXPECT_EQ(remSpaces(" - -- "), "");
    EXPECT_EQ(remSpaces("a_b\t\xA0"), "a_b\t\xA0");
}

}  // namespace
}  // namespace cj
