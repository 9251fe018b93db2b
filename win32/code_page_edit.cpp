#include "code_page_edit.h"

#include <commctrl.h>

#include "clipboard.h"
#include "utf16_text.h"
#include "wide_text.h"

namespace cj::win32 {

namespace {

constexpr wchar_t kCtrlA = 0x01;

// Control characters the edit control takes as commands: Backspace, copy, paste, cut, undo; and
// those that belong in a text: Tab and the line breaks. Ctrl+Backspace, which Windows turns
// into the character 0x7F, is taken at its key instead.
bool passesOn(WPARAM typed) {
    constexpr std::wstring_view kPassed = L"\b\x03\x16\x18\x1A\t\r\n";
    const bool control = typed < 0x20 || (typed >= 0x7F && typed < 0xA0);
    return !control || kPassed.find(static_cast<wchar_t>(typed)) != std::wstring_view::npos;
}

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// Where the word before the caret begins, the blanks between them included.
std::size_t startOfWordBefore(std::wstring_view text, std::size_t caret) {
    while (caret > 0 && isBlank(text[caret - 1])) --caret;
    while (caret > 0 && !isBlank(text[caret - 1])) --caret;
    return caret;
}

bool isFirstHalf(WPARAM unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isSecondHalf(WPARAM unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void CodePageEdit::attach(HWND edit) {
    edit_ = edit;
    // Past the 32,767 characters an edit box takes by default: the question box gathers all
    // the run shows.
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(edit_, procedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

std::string CodePageEdit::text() const { return codePageOf(windowText(edit_)); }

void CodePageEdit::setText(const std::string& text) { SetWindowTextW(edit_, wideOf(text).c_str()); }

void CodePageEdit::append(const std::string& text) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto firstLine = SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0);
    const int length = GetWindowTextLengthW(edit_);
    SendMessageW(edit_, EM_SETSEL, length, length);
    SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wideOf(text).c_str()));
    SendMessageW(edit_, EM_SETSEL, start, end);
    SendMessageW(edit_, EM_LINESCROLL, 0, firstLine - SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0));
}

LRESULT CALLBACK CodePageEdit::procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, procedure, 0);
    return reinterpret_cast<CodePageEdit*>(self)->onMessage(message, wParam, lParam);
}

LRESULT CodePageEdit::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
        return onCharacter(message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_BACK && GetKeyState(VK_CONTROL) < 0) {
            deleteWordBeforeCaret();
            return 0;
        }
        return DefSubclassProc(edit_, message, wParam, lParam);
    case WM_PASTE:
        paste();
        return 0;
    case WM_GETDLGCODE: {
        // A multi-line box asks for every key; Tab is left to move the focus on, and coming back
        // by Tab leaves the text and the caret as they were, rather than selecting everything.
        LRESULT wanted = DefSubclassProc(edit_, message, wParam, lParam) & ~DLGC_HASSETSEL;
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB) wanted &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        return wanted;
    }
    default:
        return DefSubclassProc(edit_, message, wParam, lParam);
    }
}

LRESULT CodePageEdit::onCharacter(UINT message, WPARAM typed, LPARAM lParam) {
    if (typed == kCtrlA) {
        SendMessageW(edit_, EM_SETSEL, 0, -1);
        return 0;
    }
    if (!passesOn(typed)) return 0;
    const bool secondHalf = afterFirstHalf_ && isSecondHalf(typed);
    afterFirstHalf_ = isFirstHalf(typed);
    if (secondHalf) return 0;
    if (!form::fitsCodePage(static_cast<char32_t>(typed))) typed = L'?';
    return DefSubclassProc(edit_, message, typed, lParam);
}

// As on Linux: the selection if there is one, else the word before the caret.
void CodePageEdit::deleteWordBeforeCaret() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) SendMessageW(edit_, EM_SETSEL, startOfWordBefore(windowText(edit_), end), end);
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

void CodePageEdit::paste() {
    const std::wstring pasted = clipboardText(edit_);
    if (pasted.empty()) return;
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fittedLinesOf(pasted).c_str()));
}

}  // namespace cj::win32
