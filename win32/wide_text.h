#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "window_interfaces.h"

namespace cj::win32 {

// Windows holds text in UTF-16; the run in Windows-1252 bytes with CR LF line ends. Every
// crossing between the two goes through here.

// Byte for byte, line ends as they are.
std::wstring wideOf(std::string_view codePageText);

// Character for character; one that the code page lacks becomes "?".
std::string codePageOf(std::wstring_view text);

// As codePageOf, and as typed, in UTF-8.
TypedAnswer typedAnswerOf(std::wstring_view text);

// Text pasted into a box as typing would leave it (control characters dropped but Tab and line
// breaks, every character the code page lacks "?"), every line break CR LF, so that the box
// shows what will be recorded.
std::wstring fittedLinesOf(std::wstring_view text);

std::wstring windowText(HWND window);

}  // namespace cj::win32
