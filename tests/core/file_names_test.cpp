#include <gtest/gtest.h>

#include "code_page.h"
#include "file_names.h"

namespace cj {
namespace {

struct LongName {
    const char* label;
    std::string name, part;
    friend void PrintTo(const LongName& row, std::ostream* os) { *os << row.label; }
};

class FileNamePart : public testing::TestWithParam<LongName> {};

// The master file's name, the longest, must fit 255 bytes of UTF-8 and 255 UTF-16 units.
TEST_P(FileNamePart, CutsALongNameShortAtACharacter) {
    const std::string part = fileNamePart(GetParam().name);
    EXPECT_EQ(part, GetParam().part);
    EXPECT_LE(toUtf8("masterFile_" + part + ".txt").size(), 255u);
    EXPECT_LE(("masterFile_" + part + ".txt").size(), 255u);
}

const std::string a(240, 'a');
const std::string e(120, '\xE9');     // two bytes each in UTF-8
const std::string euro(80, '\x80');  // three bytes each in UTF-8

INSTANTIATE_TEST_SUITE_P(Names, FileNamePart,
                         testing::Values(LongName{"AsciiThatFits", a, a},
                                         LongName{"AsciiOneTooMany", a + "b", a},
                                         LongName{"ThreeHundredBlanks", std::string(300, ' '), std::string(240, '_')},
                                         LongName{"TwoByteThatFit", e, e},
                                         LongName{"TwoByteOneTooMany", e + "\xE9", e},
                                         LongName{"OneHundredFiftyTwoByte", std::string(150, '\xE9'), e},
                                         LongName{"TwoByteAcrossTheLimit", a.substr(1) + "\xE9", a.substr(1)},
                                         LongName{"ThreeByteThatFit", euro, euro},
                                         LongName{"ThreeByteThenOneMore", euro + "x", euro}),
                         [](const testing::TestParamInfo<LongName>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace cj
