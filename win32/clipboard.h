#pragma once

#include <windows.h>

#include <string>

namespace cj::win32 {

// The system clipboard, open for the scope and closed at its end, since no other program can
// use it meanwhile. It cannot be opened while another program holds it.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }

    bool isOpen() const { return open_; }
    // For what the student asked of the clipboard: its failure as the run reports failures.
    void mustBeOpen() const;

private:
    bool open_;
};

// The clipboard's text, or none when it holds none or another program keeps it open.
std::wstring clipboardText(HWND owner);

}  // namespace cj::win32
