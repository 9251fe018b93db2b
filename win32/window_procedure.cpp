// Which of the window's messages reach the form, and which the window answers itself.

#include "cmd_pend_exp.h"

namespace cj::win32 {

LRESULT CALLBACK cmd_pend_exp::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<cmd_pend_exp*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<cmd_pend_exp*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->onMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT cmd_pend_exp::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        onTimer(wParam);
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
            return controls_->drawCaption(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
        }
        return 0;
    case kRestoreDraft:
        form_.restoreDraft();
        return 0;
    // The close box, or Alt+F4 that asks the same, has no handler of its own: it ends the
    // program and records nothing.
    case WM_CLOSE:
        form_.endProgram();
        return 0;
    // Log-off or shutdown: the program agrees, then ends once the session really ends and
    // before it answers, since Windows may stop it any time after; a shutdown that another
    // program cancels leaves it running.
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) form_.endProgram();
        return 0;
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) == WA_INACTIVE);
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_SETFOCUS:
        SetFocus(focusWhenLeft_);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        frame_.onScroll(message, wParam);
        return 0;
    case WM_DPICHANGED:
        fitTo(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void cmd_pend_exp::onCommand(int id, int notification) {
    const std::string_view control = controls_->nameOf(id);
    if (notification == EN_CHANGE && control == "txt_answer") {
        form_.answerChanged();
    } else if (notification == BN_CLICKED) {
        form_.press(control);
    }
}

void cmd_pend_exp::onTimer(UINT_PTR timer) {
    if (timer == kPendExpTimer) {
        form_.pictureTimerTicked();
    } else if (timer == kDraftTimer) {
        KillTimer(window_, kDraftTimer);  // a pause fires once
        form_.draftPauseOver();
    }
}

void cmd_pend_exp::onActivate(bool leaving) {
    HWND focus = GetFocus();
    if (leaving && IsChild(window_, focus)) focusWhenLeft_ = focus;
}

}  // namespace cj::win32
