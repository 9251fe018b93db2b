#pragma once

#include <QApplication>
#include <QPushButton>

#include "cmd_pend_exp.h"
#include "fakes.h"

namespace cj::bench {

// The real window, started for Student One, with every drive in a temporary folder.
struct StartedWindow {
    test::TempDir temp;
    test::ScriptedDialogs dialogs;
    test::FixedClock clock;
    test::ScriptedRandom random;
    DriveMap drives = test::drivesUnder(temp.path());
    ui::cmd_pend_exp window{dialogs, clock, random, drives};

    StartedWindow() {
        dialogs.answers = {"1", "Student One", "STO", "1"};
        window.Form_Load();
        window.show();
    }
    void click(const char* button) { window.findChild<QPushButton*>(button)->click(); }
};

// The benchmarks draw offscreen unless a display is asked for; call before making the application.
inline void drawOffscreenUnlessAsked() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace cj::bench
