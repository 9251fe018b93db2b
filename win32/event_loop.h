#pragma once

#include <windows.h>

namespace cj::win32 {

// Serves the window's events until the program ends: Tab moves the focus through the controls
// in the table's order, and Return or the space bar presses the focused button, once a press
// however long the key is held.
int runEventLoop(HWND window);

// Serves, as the loop would, the clicks, keys and posted messages that wait in the queue, and
// returns once none is left; a request to end the loop stays for the loop.
void serveWaitingInput(HWND window);

}  // namespace cj::win32
