#include <gtest/gtest.h>

#include "appends.h"
#include "class_delivery.h"
#include "fakes.h"
#include "record_layouts.h"
#include "run_error.h"

namespace cj::test {
namespace {

TEST(TextFiles, AppendCreateReadAndReplace) {
    TempDir temp;
    const auto file = temp.path() / "f.txt";
    createFile(file);
    EXPECT_EQ(readFile(file), "");
    appendToFile(file, "ab\r\n");
    appendToFile(file, std::string("\0\xFF", 2));
    createFile(file);
    EXPECT_EQ(readFile(file), std::string("ab\r\n\0\xFF", 6));
    replaceFile(file, "new");
    EXPECT_EQ(readFile(file), "new");
}

TEST(TextFiles, ReportFailuresByNumber) {
    TempDir temp;
    EXPECT_EQ(errorOf([&] { readFile(temp.path() / "missing.txt"); }), kFileNotFound);
    EXPECT_EQ(errorOf([&] { appendToFile(temp.path() / "no-dir" / "f.txt", "x"); }), kPathNotFound);
    // A missing folder is not a missing file, on Linux as on Windows.
    EXPECT_EQ(errorOf([&] { readFile(temp.path() / "no-dir" / "f.txt"); }), kPathNotFound);
    const auto missing = temp.path() / "no-dir";
    const Delivery delivery = deliverToClassFile({{missing / "u.txt", {}, missing / "u.rec"}}, 0, missing / "r.txt", "x");
    EXPECT_TRUE(delivery.unreached == kPathNotFound && !delivery.lineSafe);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(errorOf([&] { createFile(temp.path()); }), kPathFileAccessError);  // a directory
}

// What a file ends in before an append, and, when a killed run meant to put the bytes at a place,
// what stands there: a torn line is ended first, except after a note's dots and blanks; bytes
// that stand at their place whole go in no second time, and a beginning of them is finished.
struct OwedRow {
    const char* name;
    std::string before;
    std::optional<std::uint64_t> at;  // in this file; none: in another file, or nowhere
    Ends ends;
    std::string after;
};
const std::string kNoteEnd = "x\r\n" + kDotLine + kPrintZoneAdvance;

class OwedBytes : public testing::TestWithParam<OwedRow> {};

TEST_P(OwedBytes, GoInOnceAndNeverGlued) {
    TempDir temp;
    const auto file = temp.path() / "f.txt";
    writeBytes(file, GetParam().before);
    AppendFile out(file, AppendFile::Missing::Create);
    out.lock();
    const OwedRow& row = GetParam();
    appendOwed(out, row.at ? std::optional(FilePlace{out.identity(), *row.at}) : std::nullopt, "rec\r\n", row.ends);
    EXPECT_EQ(readBytes(file), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Appends, OwedBytes,
    testing::Values(OwedRow{"AFragmentIsEnded", "old\r\nfr", std::nullopt, Ends::AtRecordEnd, "old\r\nfr\r\nrec\r\n"},
                    OwedRow{"ATearBetweenCrAndLfIsEnded", "old\r\nfr\r", std::nullopt, Ends::AtLineEnd,
                            "old\r\nfr\r\nrec\r\n"},
                    OwedRow{"ANoteEndIsLeft", kNoteEnd, std::nullopt, Ends::AtRecordEnd, kNoteEnd + "rec\r\n"},
                    OwedRow{"ANoteEndInALineFileIsEnded", kNoteEnd, std::nullopt, Ends::AtLineEnd,
                            kNoteEnd + "\r\nrec\r\n"},
                    OwedRow{"LandedBytesStayOnce", "old\r\nrec\r\n", 5, Ends::AtLineEnd, "old\r\nrec\r\n"},
                    OwedRow{"TornBytesAreFinished", "old\r\nre", 5, Ends::AtLineEnd, "old\r\nrec\r\n"},
                    OwedRow{"TornBytesFollowedByOthersComeWhole", "old\r\nre\r\nz\r\n", 5, Ends::AtLineEnd,
                            "old\r\nre\r\nz\r\nrec\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::test
