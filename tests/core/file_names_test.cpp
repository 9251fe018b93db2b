#include <gtest/gtest.h>

#include <set>

#include "appends.h"
#include "fakes.h"
#include "file_names.h"
#include "text_files.h"

namespace cj {
namespace {

// Names as typed, in UTF-8; kept is what of the name the file names hold before the "~" and
// digest of a cut name.
struct NameRow {
    const char* label;
    std::string typed;
    std::string kept;
    bool cut;
    friend void PrintTo(const NameRow& row, std::ostream* os) { *os << row.label; }
};

std::string times(int count, const std::string& text) { return count == 0 ? "" : text + times(count - 1, text); }

class FileNamePart : public testing::TestWithParam<NameRow> {};

// Names Windows-1252 writes keep the file names they always had; the draft's temporary name,
// the longest built on a name, fits 255 bytes of UTF-8 and 255 UTF-16 units, and this
// computer's file system takes it.
TEST_P(FileNamePart, KeepsTheNameAsTypedAndFitsEveryFileName) {
    const NameRow& row = GetParam();
    const std::string part = fileNamePart(row.typed);
    const std::string digest = part.substr(std::min(row.kept.size(), part.size()));
    EXPECT_EQ(part.substr(0, row.kept.size()), row.kept);
    const bool digestShown =
        digest.size() == 17 && digest[0] == '~' && digest.find_first_not_of("0123456789abcdef", 1) == std::string::npos;
    EXPECT_TRUE(row.cut ? digestShown : digest.empty()) << digest;
    const std::string name = "draft_" + part + ".txt.XXXXXX";
    const std::filesystem::path longest = std::u8string(name.begin(), name.end());
    EXPECT_LE(longest.u8string().size(), 255u);
    EXPECT_LE(longest.u16string().size(), 255u);
    const test::TempDir folder;
    appendToFile(folder.path() / longest, "kept");
    EXPECT_EQ(readFile(folder.path() / longest), "kept");
}

// é takes two bytes of UTF-8, € and 王 three, 😀 four and two UTF-16 units.
const NameRow kNames[] = {
    {"Latin", "Student One", "Student_One", false},
    {"ChineseWangWei", "王伟", "王伟", false},
    {"ChineseLiNa", "李娜", "李娜", false},
    {"GreekEleni", "Ελένη", "Ελένη", false},
    {"GreekSofia", "Σοφία", "Σοφία", false},
    {"VietnameseHuong", "Hương", "Hương", false},
    {"VietnameseHuongWithGrave", "Hường", "Hường", false},
    {"AsciiThatFits", times(238, "a"), times(238, "a"), false},
    {"AsciiOneTooMany", times(239, "a"), times(221, "a"), true},
    {"ThreeHundredBlanks", times(300, " "), times(221, "_"), true},
    {"TwoByteThatFit", times(119, "é"), times(119, "é"), false},
    {"TwoByteOneTooMany", times(120, "é"), times(110, "é"), true},
    {"TwoByteAcrossTheCut", times(220, "a") + times(120, "é"), times(220, "a"), true},
    {"ThreeByteThatFit", times(79, "€"), times(79, "€"), false},
    {"ThreeByteOneTooMany", times(80, "€"), times(73, "€"), true},
    {"ChineseOneTooMany", times(80, "王"), times(73, "王"), true},
    {"ChineseAcrossTheCut", times(220, "a") + times(9, "王"), times(220, "a"), true},
    {"EmojiOneTooMany", times(60, "😀"), times(55, "😀"), true},
    {"EmojiAcrossTheCut", times(218, "a") + times(6, "😀"), times(218, "a"), true},
};

INSTANTIATE_TEST_SUITE_P(Names, FileNamePart, testing::ValuesIn(kNames),
                         [](const testing::TestParamInfo<NameRow>& info) { return std::string(info.param.label); });

// The digest names the same student's files alike on every computer and in every build, as it
// always has for names Windows-1252 writes, and keeps apart students whose names begin alike,
// a name Windows-1252 writes from one whose UTF-8 has the same bytes included.
TEST(FileNamePart, GivesEveryNameFilesOfItsOwn) {
    EXPECT_EQ(fileNamePart(times(300, "x")), times(221, "x") + "~e78ddf9f1ba85555");
    EXPECT_EQ(fileNamePart(times(120, "é")), times(110, "é") + "~a165d0f0f868e62d");
    const std::string aLot = times(240, "x");
    std::set<std::string> parts;
    for (const NameRow& row : kNames) parts.insert(fileNamePart(row.typed));
    for (const std::string ending : {"Ann", "Bob", "王伟", "王娜", "çŽ‹", "王"}) parts.insert(fileNamePart(aLot + ending));
    EXPECT_EQ(parts.size(), std::size(kNames) + 6);
}

}  // namespace
}  // namespace cj
