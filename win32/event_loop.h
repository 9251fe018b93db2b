#pragma once

#include <windows.h>

namespace cj::win32 {

// Serves the window's events until the program ends: Tab moves the focus through the controls
// in the table's order, and Return or the space bar presses the focused button, once a press
// however long the key is held.
int runEventLoop(HWND window);

}  // namespace cj::win32
