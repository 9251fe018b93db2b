#include "long_path_windows.h"

#include <windows.h>

#include <string_view>

#include "run_error.h"
#include "text_files.h"

namespace cj {

namespace {

bool isPrefixed(std::wstring_view name) { return name.starts_with(L"\\\\?\\") || name.starts_with(L"\\\\.\\"); }

}  // namespace

std::wstring longPath(const std::filesystem::path& file) {
    if (isPrefixed(file.native())) return file.native();
    // The prefix turns off Windows's own reading of the name, so the name is first made whole
    // as Windows would make it without one: slashes turned round, "." and ".." gone, and a
    // reserved name such as NUL turned into the device it stands for.
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = ::GetFullPathNameW(file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (size == 0) throw RunError(errorNumberOf(static_cast<int>(::GetLastError()), false));
        const bool fits = size < full.size();
        full.resize(size);
        if (fits) break;
    }
    if (isPrefixed(full)) return full;
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace cj
