#pragma once

#include <windows.h>

namespace cj::win32 {

// Keeps the window on its screen. Where the form is larger than the screen's work area (a
// dense screen, a small one), the window takes what the work area has and shows part of the
// form, with scroll bars, and a control that the keyboard gives the focus comes into view.
// Where the form fits, the window is the form's size and nothing scrolls.
class ScrollFrame {
public:
    explicit ScrollFrame(DWORD windowStyle) : style_(windowStyle) {}

    void attach(HWND window) { window_ = window; }
    // Sizes the window for a form of this size in pixels, at this density, and shows the form
    // from its top-left corner; suggested is where Windows would have the window, if anywhere.
    void fit(SIZE form, UINT dotsPerInch, const RECT* suggested);
    // The control's focus brings it into view.
    void follow(HWND control);
    // A scroll bar's or the mouse wheel's message.
    void onScroll(UINT message, WPARAM wParam);

private:
    // Moves the view to show the form from this point on, as far as the form goes.
    void scrollTo(POINT wanted);
    void keepInView(HWND control);
    static LRESULT CALLBACK followFocus(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR frame);

    DWORD style_;
    HWND window_ = nullptr;
    SIZE form_{};
    // The form's point at the view's top-left corner.
    POINT origin_{};
    int step_ = 0;
};

}  // namespace cj::win32
