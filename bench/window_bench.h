#pragma once

#include <QApplication>

#include "window_over_drives.h"

namespace cj::bench {

// The real window as the widget tests drive it, started for Student One and shown.
struct StartedWindow : test::WindowOverDrives {
    StartedWindow() {
        load({"1", "Student One", "STO", "1"});
        window.show();
    }
};

// The benchmarks draw offscreen unless a display is asked for; call before making the application.
inline void drawOffscreenUnlessAsked() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace cj::bench
