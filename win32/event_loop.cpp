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
    if (!(message.lParam & kKeyWasDown)) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    }
    return true;
}

}  // namespace

int runEventLoop(HWND window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (tookReturnOnButton(window, message) || IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace cj::win32
