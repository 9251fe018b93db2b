#include "win32_dialogs.h"

#include "control_table.h"
#include "input_box_ids.h"
#include "run_error.h"
#include "wide_text.h"

namespace cj::win32 {

namespace {

const std::wstring kTitle = wideOf(form::kDialogTitle);

struct Exchange {
    std::wstring prompt;
    std::wstring answer;
};

INT_PTR CALLBACK inputBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        SetWindowTextW(box, kTitle.c_str());
        SetDlgItemTextW(box, IDC_INPUT_PROMPT, reinterpret_cast<const Exchange*>(lParam)->prompt.c_str());
        return TRUE;  // the focus goes to the answer
    }
    if (message != WM_COMMAND) return FALSE;
    const int command = LOWORD(wParam);
    if (command == IDOK) {
        reinterpret_cast<Exchange*>(GetWindowLongPtrW(box, DWLP_USER))->answer =
            windowText(GetDlgItem(box, IDC_INPUT_ANSWER));
    }
    if (command == IDOK || command == IDCANCEL) EndDialog(box, command);
    return TRUE;
}

}  // namespace

TypedAnswer Win32Dialogs::answerTo(const std::string& prompt) {
    Exchange exchange{wideOf(prompt), {}};
    const INT_PTR closedWith = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_INPUT_BOX), owner_,
                                               inputBoxProcedure, reinterpret_cast<LPARAM>(&exchange));
    if (closedWith <= 0) throw RunError(kOutOfMemory);  // the box could not be made
    return typedAnswerOf(exchange.answer);  // empty when cancelled
}

void Win32Dialogs::msgBox(const std::string& message) {
    MessageBoxW(owner_, wideOf(message).c_str(), kTitle.c_str(), MB_OK | (owner_ ? 0 : MB_TASKMODAL));
}

}  // namespace cj::win32
