#include <windows.h>

#include "live_file.h"
#include "long_path_windows.h"

namespace cj::report {

struct ReadOnlyFile::Handle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
};

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& file) : handle_(std::make_unique<Handle>()) {
    // The reparse point itself is opened, so that a link is seen and refused rather than followed.
    handle_->handle = ::CreateFileW(cj::longPath(file).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle_->handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        state_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? State::Missing : State::Refused;
        return;
    }
    BY_HANDLE_FILE_INFORMATION about{};
    if (::GetFileType(handle_->handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle_->handle, &about) ||
        (about.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        state_ = State::Refused;
        return;
    }
    state_ = State::Open;
    identity_ = std::to_string(about.dwVolumeSerialNumber) + ":" + std::to_string(about.nFileIndexHigh) + ":" +
                std::to_string(about.nFileIndexLow);
    size_ = (std::uint64_t{about.nFileSizeHigh} << 32) | about.nFileSizeLow;
}

ReadOnlyFile::~ReadOnlyFile() = default;

std::string ReadOnlyFile::read(std::uint64_t offset, std::size_t most) const {
    std::string bytes(most, '\0');
    std::size_t got = 0;
    while (got < most) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + got);
        at.OffsetHigh = static_cast<DWORD>((offset + got) >> 32);
        DWORD n = 0;
        if (!::ReadFile(handle_->handle, bytes.data() + got, static_cast<DWORD>(most - got), &n, &at) || n == 0) break;
        got += n;
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace cj::report
