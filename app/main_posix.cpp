#include <QApplication>
#include <QTimer>

#include "cmd_pend_exp.h"
#include "code_page_text_box.h"
#include "drive_map.h"
#include "qt_dialogs.h"
#include "system_services.h"
#include "termination_signals.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    cj::SystemClock clock;
    cj::UniformRandom random;
    const cj::DriveMap drives = cj::DriveMap::forThisComputer();
    cj::ui::QtDialogs dialogs;
    cj::ui::cmd_pend_exp window(dialogs, clock, random, drives);

    // The start-up prompts come before the window, which never shows if they end the program.
    window.Form_Load();
    if (window.hasEnded()) return 0;
    // A signal ends the program the way the close box does, keeping the draft; until the
    // window is about to show, nothing typed could be lost, and a signal ends it at once.
    cj::ui::TerminationSignals endingSignals;
    QObject::connect(&endingSignals, &cj::ui::TerminationSignals::arrived, &window, &QWidget::close);
    window.show();
    // Where no window manager hands out the focus, the window takes it, so typing can begin.
    window.activateWindow();
    window.questionBox().setFocus();
    // From inside the event loop, so that its message stands over the shown window.
    QTimer::singleShot(0, &window, &cj::ui::cmd_pend_exp::restoreDraft);
    return QApplication::exec();
}
