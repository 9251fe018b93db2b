#include <gtest/gtest.h>

#include <cerrno>

#include "run_error.h"
#include "text_files.h"

namespace cj {
namespace {

TEST(PosixErrorNumbers, FollowTheFamily) {
    EXPECT_EQ(errorNumberOf(EACCES, false), kPermissionDenied);
    EXPECT_EQ(errorNumberOf(ENOSPC, false), kDiskFull);
}

}  // namespace
}  // namespace cj
