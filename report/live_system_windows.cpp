#include <windows.h>
#include <shellapi.h>

#include "live_system.h"

namespace cj::report {

namespace {

HANDLE interrupted = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event) {
    ::SetEvent(interrupted);
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
    // The console is closing, or the user logging off: Windows ends the program as soon as this
    // returns, so the handler waits for the program to end on its own, which it does at once.
    ::Sleep(INFINITE);
    return TRUE;
}

}  // namespace

Interruption::Interruption() {
    interrupted = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

void Interruption::wait() { ::WaitForSingleObject(interrupted, INFINITE); }

bool openInBrowser(const std::string& address) {
    const std::wstring wide(address.begin(), address.end());  // ASCII alone
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace cj::report
