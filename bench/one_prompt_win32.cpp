// The least a Win32 program does to put one input prompt on the screen, in the program's own
// prompt box and with its manifest: the baseline against which the start-up of
// classjournal.exe is measured under Wine.

#include <windows.h>

#include "input_box_ids.h"

namespace {

INT_PTR CALLBACK promptProcedure(HWND box, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetWindowTextW(box, L"Class Journal");
        SetDlgItemTextW(box, IDC_INPUT_PROMPT, L"Enter 1 for home user, 2 for BRELL LAN user");
        return TRUE;
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    EndDialog(box, LOWORD(wParam));
    return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_INPUT_BOX), nullptr, promptProcedure, 0));
}
