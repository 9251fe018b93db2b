#include <gtest/gtest.h>

#include "code_page.h"
#include "file_names.h"

namespace cj {
namespace {

struct LongName {
    const char* label;
    std::string name;
    std::size_t keptCharacters;
    bool cut;
    friend void PrintTo(const LongName& row, std::ostream* os) { *os << row.label; }
};

class FileNamePart : public testing::TestWithParam<LongName> {};

// The draft's temporary name, the longest built on the name, must fit 255 bytes of UTF-8 (and
// so 255 UTF-16 units); a name that had to be cut ends in a digest of the whole name.
TEST_P(FileNamePart, FitsEveryFileNameAndMarksACutName) {
    const LongName& row = GetParam();
    const std::string part = fileNamePart(row.name);
    std::string safe = row.name;
    std::replace(safe.begin(), safe.end(), ' ', '_');
    EXPECT_EQ(part.substr(0, row.keptCharacters), safe.substr(0, row.keptCharacters));
    const std::string digest = part.substr(row.keptCharacters);
    if (row.cut) {
        EXPECT_TRUE(digest.size() == 17 && digest[0] == '~' &&
                    digest.find_first_not_of("0123456789abcdef", 1) == std::string::npos)
            << digest;
    } else {
        EXPECT_EQ(digest, "");
    }
    EXPECT_LE(toUtf8("draft_" + part + ".txt.XXXXXX").size(), 255u);
}

const std::string e(120, '\xE9');    // two bytes each in UTF-8
const std::string euro(80, '\x80');  // three bytes each in UTF-8

INSTANTIATE_TEST_SUITE_P(
    Names, FileNamePart,
    testing::Values(LongName{"AsciiThatFits", std::string(238, 'a'), 238, false},
                    LongName{"AsciiOneTooMany", std::string(239, 'a'), 221, true},
                    LongName{"ThreeHundredBlanks", std::string(300, ' '), 221, true},
                    LongName{"TwoByteThatFit", e.substr(1), 119, false},
                    LongName{"TwoByteOneTooMany", e, 110, true},
                    LongName{"TwoByteAcrossTheCut", std::string(220, 'a') + e, 220, true},
                    LongName{"ThreeByteThatFit", euro.substr(1), 79, false},
                    LongName{"ThreeByteOneTooMany", euro, 73, true}),
    [](const testing::TestParamInfo<LongName>& info) { return std::string(info.param.label); });

// The digest names the same student's files alike on every computer and in every build, and
// keeps apart students whose names begin alike.
TEST(FileNamePart, TheDigestIsFixedAndTellsNamesApart) {
    EXPECT_EQ(fileNamePart(std::string(300, 'x')), std::string(221, 'x') + "~e78ddf9f1ba85555");
    EXPECT_NE(fileNamePart(std::string(240, 'x') + "Ann"), fileNamePart(std::string(240, 'x') + "Bob"));
}

}  // namespace
}  // namespace cj
