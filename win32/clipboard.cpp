#include "clipboard.h"

#include "run_error.h"

namespace cj::win32 {

namespace {

// In the numbering the run's failures follow, the clipboard that cannot be opened.
constexpr int kClipboardNotOpened = 521;

}  // namespace

void OpenedClipboard::mustBeOpen() const {
    if (!open_) throw RunError(kClipboardNotOpened);
}

std::wstring clipboardText(HWND owner) {
    std::wstring text;
    const OpenedClipboard clipboard(owner);
    if (!clipboard.isOpen()) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = units;
            GlobalUnlock(data);
        }
    }
    return text;
}

}  // namespace cj::win32
