#pragma once

#include <windows.h>

#include <commctrl.h>

#include <span>
#include <string_view>
#include <vector>

namespace cj::win32 {

// The main window's controls, made from the control table as its child windows, in tab order.
class Controls {
public:
    Controls(HWND window, HINSTANCE instance);
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;
    ~Controls();

    HWND operator[](std::string_view name) const;
    std::span<const HWND> handles() const { return handles_; }
    // The table name of the control with this id; empty for none of them.
    std::string_view nameOf(int id) const;

    // Places every control and gives it its font, for the window's dots per inch.
    void layOut(UINT dotsPerInch);

    // A button asking how to draw itself: its caption is drawn here.
    LRESULT drawCaption(const NMCUSTOMDRAW& draw) const;

private:
    std::vector<HWND> handles_;
    UINT dotsPerInch_ = USER_DEFAULT_SCREEN_DPI;
    HFONT captionFont_ = nullptr;
    HFONT largeBoxFont_ = nullptr;
};

}  // namespace cj::win32
