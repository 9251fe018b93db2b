#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "cmd_pend_exp.h"
#include "fakes.h"

namespace cj::test {

// The real window over a temporary folder that stands for every drive, with scripted
// prompt answers, a fixed clock and scripted draws.
class WindowFixture {
protected:
    WindowFixture() : drives(drivesUnder(temp.path())), window(dialogs, clock, random, drives) {}

    void load(std::deque<std::string> answers) {
        dialogs.answers = std::move(answers);
        window.Form_Load();
    }
    void loadStudentOne() { load({"1", "Student One", "SO1", "1"}); }

    std::filesystem::path dataFile(const std::string& name) const { return temp.path() / "c" / "qorsdata" / name; }

    // Every file under the drives with its bytes, to tell whether anything was written.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> all;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.path())) {
            if (entry.is_regular_file()) all[entry.path().string()] = readBytes(entry.path());
        }
        return all;
    }

    TempDir temp;
    ScriptedDialogs dialogs;
    FixedClock clock;
    ScriptedRandom random;
    DriveMap drives;
    ui::cmd_pend_exp window;
};

class WindowTest : public WindowFixture, public testing::Test {};

template <typename Row>
class WindowTableTest : public WindowFixture, public testing::TestWithParam<Row> {};

}  // namespace cj::test
