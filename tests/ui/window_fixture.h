#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "window_over_drives.h"

namespace cj::test {

// The window as WindowOverDrives holds it, for the widget tests.
class WindowFixture : protected WindowOverDrives {
protected:
    void loadStudentOne() { load({"1", "Student One", "SO1", "1"}); }

    // Every file under the drives with its bytes, to tell whether anything was written.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> all;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.path())) {
            if (entry.is_regular_file()) all[entry.path().string()] = readBytes(entry.path());
        }
        return all;
    }
};

class WindowTest : public WindowFixture, public testing::Test {};

template <typename Row>
class WindowTableTest : public WindowFixture, public testing::TestWithParam<Row> {};

}  // namespace cj::test
