#include <gtest/gtest.h>

#include "child_process.h"

int main(int argc, char** argv) {
    if (const auto exitCode = cj::test::runChildRole()) return *exitCode;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
