#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "cmd_pend_exp.h"
#include "drive_map.h"
#include "event_loop.h"
#include "failure_messages.h"
#include "run_error.h"
#include "system_services.h"
#include "win32_dialogs.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    cj::SystemClock clock;
    cj::UniformRandom random;
    cj::win32::Win32Dialogs dialogs(instance);
    try {
        const cj::DriveMap drives = cj::DriveMap::forThisComputer();
        cj::win32::cmd_pend_exp window(instance, dialogs, clock, random, drives);

        // The start-up prompts come before the window, which is never made if they end the
        // program; the student waits for nothing the window needs before the first prompt.
        window.Form_Load();
        if (window.hasEnded()) return 0;
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        // For the names the controls give screen readers.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        window.show(showCommand);
        dialogs.setOwner(window.handle());
        return cj::win32::runEventLoop(window.handle());
    } catch (...) {
        // Only making the window can fail here: every event runs inside the form's guard.
        dialogs.msgBox(cj::failureMessage(cj::currentFailureNumber()));
        return 1;
    }
}
