#include <windows.h>

#include <cstdlib>

#include "bare_append.h"

namespace cj::bench {

void bareAppend(const std::filesystem::path& file, std::string_view bytes) {
    const HANDLE handle = ::CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    if (handle == INVALID_HANDLE_VALUE ||
        !::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
        done != bytes.size() || !::FlushFileBuffers(handle)) {
        std::abort();
    }
    ::CloseHandle(handle);
}

}  // namespace cj::bench
