#include <gtest/gtest.h>

#include "drive_map.h"
#include "run_error.h"
#include "turkish_locale.h"

namespace cj {
namespace {

DriveMap underRoot() {
    return DriveMap([](char letter) { return std::filesystem::path("/root-of") / std::string(1, letter); });
}

TEST(DriveMap, PutsEachDriveUnderItsRootAndSplitsAtBackslashes) {
    const DriveMap drives = underRoot();
    EXPECT_EQ(drives.locate("c:\\qorsdata\\notes_A.txt"), "/root-of/c/qorsdata/notes_A.txt");
    EXPECT_EQ(drives.locate("I:\\responses.txt"), "/root-of/i/responses.txt");
    EXPECT_EQ(drives.locate("i:\\My Documents\\lb1"), "/root-of/i/My Documents/lb1");
    EXPECT_EQ(drives.locate("c:\\qorsdata\\send_1207Zo\xC3\xAB.txt"), std::filesystem::path(u8"/root-of/c/qorsdata/send_1207Zo\u00EB.txt"));
}

TEST(DriveMap, RefusesPathsThatLeaveTheirFolder) {
    const DriveMap drives = underRoot();
    for (const std::string bad : {"", "qorsdata", "c:\\..\\x", "c:\\a/b.txt", "1:\\x"}) {
        EXPECT_THROW(drives.locate(bad), RunError) << bad;
    }
}

TEST(DriveMap, ReadsDriveLettersAlikeUnderTurkish) {
    const test::TurkishLocale turkish;
    if (!turkish.unavailable().empty()) GTEST_SKIP() << turkish.unavailable();
    const DriveMap drives = underRoot();
    EXPECT_EQ(drives.locate("I:\\responses.txt"), "/root-of/i/responses.txt");
    EXPECT_THROW(drives.locate("\xDD:\\x"), RunError);  // the dotted capital I of ISO-8859-9
}

}  // namespace
}  // namespace cj
