#pragma once

#include <QPushButton>
#include <QTest>

#include <deque>
#include <filesystem>
#include <string>

#include "cmd_pend_exp.h"
#include "fakes.h"

namespace cj::test {

// The real window over a temporary folder that stands for every drive, with scripted prompt
// answers, a fixed clock and scripted draws: what the widget tests and the window's benchmarks
// drive.
struct WindowOverDrives {
    void load(std::deque<std::string> answers) {
        dialogs.answers = std::move(answers);
        window.Form_Load();
    }
    void click(const char* button) { QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton); }
    std::filesystem::path dataFile(const std::string& name) const { return temp.path() / "c" / "qorsdata" / name; }

    TempDir temp;
    ScriptedDialogs dialogs;
    FixedClock clock;
    ScriptedRandom random;
    DriveMap drives = drivesUnder(temp.path());
    ui::cmd_pend_exp window{dialogs, clock, random, drives};
};

}  // namespace cj::test
