// Says whether Windows takes the program's window for one that hangs (Not Responding).

#include <windows.h>

#include <cstdio>

int main() {
    HWND window = FindWindowW(L"cmd_pend_exp", nullptr);
    if (!window) return 2;
    std::puts(IsHungAppWindow(window) ? "hung" : "responding");
    return 0;
}
