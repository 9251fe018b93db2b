#include <gtest/gtest.h>

#include "drive_map.h"

namespace cj {
namespace {

TEST(DriveMap, ForThisComputerPutsCAtHomeAndOthersUnderMnt) {
    const DriveMap drives = DriveMap::forThisComputer();
    EXPECT_EQ(drives.locate("i:\\responses.txt"), "/mnt/i/responses.txt");
    EXPECT_EQ(drives.locate("c:\\qorsdata").filename(), "qorsdata");
}

}  // namespace
}  // namespace cj
