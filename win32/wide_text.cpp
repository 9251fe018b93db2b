#include "wide_text.h"

#include "utf16_text.h"

namespace cj::win32 {

namespace {

// wchar_t is UTF-16 on Windows, but a type of its own: the units are copied, not reinterpreted.
std::u16string utf16Of(std::wstring_view text) { return {text.begin(), text.end()}; }

std::wstring wideOf(std::u16string_view text) { return {text.begin(), text.end()}; }

}  // namespace

std::wstring wideOf(std::string_view codePageText) { return wideOf(form::utf16Of(codePageText)); }

std::string codePageOf(std::wstring_view text) { return form::codePageOf(utf16Of(text)); }

TypedAnswer typedAnswerOf(std::wstring_view text) { return {codePageOf(text), form::utf8Of(utf16Of(text))}; }

std::wstring fittedLinesOf(std::wstring_view text) {
    return wideOf(form::utf16Of(form::codePageLinesOf(form::fittedToCodePage(utf16Of(text)))));
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace cj::win32
