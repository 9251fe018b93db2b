#include <gtest/gtest.h>

#include "code_page.h"

namespace cj {
namespace {

TEST(CodePage, EveryByteRoundTripsThroughUnicode) {
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        EXPECT_EQ(codePageByteOf(unicodeOf(byte)), byte) << b;
    }
}

TEST(CodePage, KnowsTheWindowsCharactersAndMarksOthers) {
    EXPECT_EQ(unicodeOf('\x80'), U'\u20AC');
    EXPECT_EQ(unicodeOf('\x9F'), U'\u0178');
    EXPECT_EQ(codePageByteOf(U'\u2019'), '\x92');
    EXPECT_EQ(codePageByteOf(U'\u03A9'), '?');  // Greek capital omega
    EXPECT_EQ(codePageByteOf(U'\u0080'), '?');  // a C1 control that Windows-1252 replaces by the euro
    EXPECT_EQ(codePageByteOf(U'\U0001F600'), '?');
}

TEST(CodePage, WritesUtf8ForFileNames) {
    EXPECT_EQ(toUtf8("Zo\xEB"), "Zo\xC3\xAB");
    EXPECT_EQ(toUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(toUtf8("plain"), "plain");
}

}  // namespace
}  // namespace cj
