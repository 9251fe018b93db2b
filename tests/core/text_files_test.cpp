#include <gtest/gtest.h>

#include "appends.h"
#include "class_delivery.h"
#include "fakes.h"
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
    const Delivery delivery = deliverToClassFile({{missing / "u.txt", {}}}, 0, missing / "r.txt", "x");
    EXPECT_TRUE(delivery.unreached == kPathNotFound && !delivery.lineSafe);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(errorOf([&] { createFile(temp.path()); }), kPathFileAccessError);  // a directory
}

}  // namespace
}  // namespace cj::test
