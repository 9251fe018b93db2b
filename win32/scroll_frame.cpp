#include "scroll_frame.h"

#include <commctrl.h>

#include <algorithm>

namespace cj::win32 {

namespace {

// A step of the scroll bars' arrows at 96 dots per inch, and wheel notches a turn scrolls.
constexpr int kStepPixels = 16;
constexpr int kStepsPerNotch = 3;

RECT workAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

}  // namespace

void ScrollFrame::fit(SIZE form, UINT dotsPerInch, const RECT* suggested) {
    form_ = form;
    origin_ = {};
    step_ = MulDiv(kStepPixels, static_cast<int>(dotsPerInch), USER_DEFAULT_SCREEN_DPI);
    RECT frame{0, 0, form.cx, form.cy};
    AdjustWindowRectExForDpi(&frame, style_, FALSE, 0, dotsPerInch);
    const SIZE border{frame.right - frame.left - form.cx, frame.bottom - frame.top - form.cy};
    const RECT work = workAreaOf(suggested ? MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST)
                                           : MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST));
    const SIZE room{work.right - work.left, work.bottom - work.top};

    // A scroll bar takes room from the other direction, which may then need its own.
    SIZE size{border.cx + form.cx, border.cy + form.cy};
    bool across = false;
    bool down = false;
    for (int pass = 0; pass < 2; ++pass) {
        if (!down && size.cy > room.cy) {
            down = true;
            size.cx += GetSystemMetricsForDpi(SM_CXVSCROLL, dotsPerInch);
        }
        if (!across && size.cx > room.cx) {
            across = true;
            size.cy += GetSystemMetricsForDpi(SM_CYHSCROLL, dotsPerInch);
        }
    }
    size = {std::min(size.cx, room.cx), std::min(size.cy, room.cy)};

    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    POINT place{};
    if (across || down) {
        RECT now{};
        GetWindowRect(window_, &now);
        const RECT& from = suggested ? *suggested : now;
        place = {std::clamp(from.left, work.left, work.right - size.cx), std::clamp(from.top, work.top, work.bottom - size.cy)};
    } else if (suggested) {
        place = {suggested->left, suggested->top};
    } else {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(window_, nullptr, place.x, place.y, size.cx, size.cy, flags);

    // A page as large as the form hides its bar.
    const SIZE view{size.cx - border.cx - (down ? GetSystemMetricsForDpi(SM_CXVSCROLL, dotsPerInch) : 0),
                    size.cy - border.cy - (across ? GetSystemMetricsForDpi(SM_CYHSCROLL, dotsPerInch) : 0)};
    SCROLLINFO bar{sizeof bar, SIF_RANGE | SIF_PAGE | SIF_POS, 0, form.cx - 1, static_cast<UINT>(view.cx), 0, 0};
    SetScrollInfo(window_, SB_HORZ, &bar, TRUE);
    bar.nMax = form.cy - 1;
    bar.nPage = static_cast<UINT>(view.cy);
    SetScrollInfo(window_, SB_VERT, &bar, TRUE);
}

void ScrollFrame::follow(HWND control) {
    SetWindowSubclass(control, followFocus, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ScrollFrame::followFocus(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR frame) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, followFocus, id);
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    // A click's own focus moves nothing: the control would leave the pointer before the button
    // comes up, and the click would be lost.
    const bool clicked = GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0;
    if (message == WM_SETFOCUS && !clicked) reinterpret_cast<ScrollFrame*>(frame)->keepInView(control);
    return result;
}

void ScrollFrame::keepInView(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    RECT view{};
    GetClientRect(window_, &view);
    // The least move that shows the whole control, or its top-left part when it is the larger.
    const auto shift = [](LONG low, LONG high, LONG end) { return low < 0 ? low : std::min(low, std::max(0L, high - end)); };
    scrollTo({origin_.x + shift(place.left, place.right, view.right), origin_.y + shift(place.top, place.bottom, view.bottom)});
}

void ScrollFrame::onScroll(UINT message, WPARAM wParam) {
    const int wheel = GET_WHEEL_DELTA_WPARAM(wParam) * kStepsPerNotch * step_ / WHEEL_DELTA;
    if (message == WM_MOUSEWHEEL) return scrollTo({origin_.x, origin_.y - wheel});
    if (message == WM_MOUSEHWHEEL) return scrollTo({origin_.x + wheel, origin_.y});

    const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, bar, &info);
    int position = info.nPos;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: position -= step_; break;
    case SB_LINEDOWN: position += step_; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
    }
    scrollTo(bar == SB_HORZ ? POINT{position, origin_.y} : POINT{origin_.x, position});
}

void ScrollFrame::scrollTo(POINT wanted) {
    RECT view{};
    GetClientRect(window_, &view);
    const POINT to{std::clamp(wanted.x, 0L, std::max(0L, form_.cx - view.right)),
                   std::clamp(wanted.y, 0L, std::max(0L, form_.cy - view.bottom))};
    if (to.x == origin_.x && to.y == origin_.y) return;
    ScrollWindowEx(window_, origin_.x - to.x, origin_.y - to.y, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    origin_ = to;
    SetScrollPos(window_, SB_HORZ, to.x, TRUE);
    SetScrollPos(window_, SB_VERT, to.y, TRUE);
}

}  // namespace cj::win32
