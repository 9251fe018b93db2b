#include "event_loop.h"

namespace cj::win32 {

namespace {

constexpr LPARAM kKeyWasDown = LPARAM{1} << 30;

// The dialog manager would pass Return to the window's default button, and press it again for
// every repeat of a held key; the focused button is pressed instead, once.
bool tookReturnOnButton(HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
    HWND focus = GetFocus();
    if (!IsChild(window, focus)) return false;
    if (!(SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return false;
    if (!IsWindowEnabled(focus)) return true;
    if (!(message.lParam & kKeyWasDown)) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    }
    return true;
}

void serve(HWND window, MSG& message) {
    if (tookReturnOnButton(window, message) || IsDialogMessageW(window, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

int runEventLoop(HWND window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) serve(window, message);
    return static_cast<int>(message.wParam);
}

void serveWaitingInput(HWND window) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE)) {
        if (message.message == WM_QUIT) return PostQuitMessage(static_cast<int>(message.wParam));
        serve(window, message);
    }
}

}  // namespace cj::win32
