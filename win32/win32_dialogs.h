#pragma once

#include <windows.h>

#include "window_interfaces.h"

namespace cj::win32 {

// The run's prompts and messages as modal Windows dialogs titled with the program's name.
class Win32Dialogs : public Dialogs {
public:
    explicit Win32Dialogs(HINSTANCE instance) : instance_(instance) {}

    // Once the window is shown, prompts and messages stand over it and keep it from being used
    // meanwhile; before, each stands alone with a button of its own on the taskbar.
    void setOwner(HWND window) { owner_ = window; }

    TypedAnswer answerTo(const std::string& prompt) override;
    void msgBox(const std::string& message) override;

private:
    HINSTANCE instance_;
    HWND owner_ = nullptr;
};

}  // namespace cj::win32
