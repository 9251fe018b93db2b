#pragma once

#include <windows.h>

#include <string>

namespace cj::win32 {

// A multi-line edit box whose text is the run's Windows-1252 text: what the student types or
// pastes is held to the code page on the spot, so the box never shows what cannot be recorded.
// Tab leaves the box, Return breaks the line, Ctrl+A selects everything, Ctrl+Backspace deletes
// the word before the caret; no other control character gets into the text from the keyboard.
class CodePageEdit {
public:
    void attach(HWND edit);
    HWND handle() const { return edit_; }

    std::string text() const;
    void setText(const std::string& text);
    // Adds at the end, leaving the student's caret, selection and view where they are.
    void append(const std::string& text);

private:
    static LRESULT CALLBACK procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onCharacter(UINT message, WPARAM typed, LPARAM lParam);
    void deleteWordBeforeCaret();
    void paste();

    HWND edit_ = nullptr;
    // A character beyond UTF-16's first plane comes as two halves; the first becomes "?", the
    // second is dropped.
    bool afterFirstHalf_ = false;
};

}  // namespace cj::win32
