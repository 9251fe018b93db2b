#include "text_files.h"

#include <windows.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "run_error.h"

namespace cj {

namespace {

[[noreturn]] void fail(DWORD systemError, bool reading) {
    throw RunError(errorNumberOf(static_cast<int>(systemError), reading));
}

// Other students' programs and the instructor's tools may have any of the files open at once.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Without FILE_WRITE_DATA every write lands at the end of the file, decided by whoever holds
// the file, the server of a network share included. Reading is granted only because
// LockFileEx asks for it.
constexpr DWORD kAppendAccess = FILE_APPEND_DATA | FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

constexpr auto kLockRetry = std::chrono::milliseconds(10);

// ReadFile and WriteFile take at most a DWORD at a time.
constexpr std::size_t kLargestTransfer = 1u << 30;

class OpenFile {
public:
    OpenFile(const std::filesystem::path& file, DWORD access, DWORD disposition, bool reading)
        : handle_(::CreateFileW(file.c_str(), access, kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr)),
          reading_(reading) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            // Windows refuses a folder as access denied; it is no question of permission, and
            // the family shows it as a path/file access error, as on POSIX.
            std::error_code ignored;
            if (error == ERROR_ACCESS_DENIED && std::filesystem::is_directory(file, ignored)) {
                throw RunError(kPathFileAccessError);
            }
            fail(error, reading_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() { close(); }

    // Once FlushFileBuffers has succeeded the bytes are on stable storage; closing a handle
    // reports no lost write on Windows, so there is nothing left for it to tell.
    void close() {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
    }

    std::uint64_t length() const {
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(handle_, &size)) fail(::GetLastError(), reading_);
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    void writeAll(std::string_view bytes) {
        while (!bytes.empty()) {
            DWORD written = 0;
            const auto size = static_cast<DWORD>(std::min(bytes.size(), kLargestTransfer));
            if (!::WriteFile(handle_, bytes.data(), size, &written, nullptr)) fail(::GetLastError(), reading_);
            bytes.remove_prefix(written);
        }
    }

    void flushToDisk() {
        if (!::FlushFileBuffers(handle_)) fail(::GetLastError(), reading_);
    }

    std::string readAll() {
        std::string content;
        char buffer[65536];
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(handle_, buffer, sizeof buffer, &got, nullptr)) fail(::GetLastError(), reading_);
            if (got == 0) return content;
            content.append(buffer, got);
        }
    }

    void cutTo(std::uint64_t length) {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(length);
        if (::SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) && ::SetEndOfFile(handle_)) ::FlushFileBuffers(handle_);
    }

    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_;
    bool reading_;
};

// The exclusive lock on the shared file's lock byte, held from the length check to the end of
// the flush or of the cut-back.
class SharedByteLock {
public:
    // Waits up to kLockWait. Where the file system keeps no locks, holds none and lets
    // the append go ahead: the append-only handle keeps appends apart on a local disk.
    explicit SharedByteLock(const OpenFile& file) : handle_(file.handle()) {
        OVERLAPPED at = lockByte();
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        for (;;) {
            if (::LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) return;
            const DWORD error = ::GetLastError();
            if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION) {
                handle_ = INVALID_HANDLE_VALUE;
                return;
            }
            if (error != ERROR_LOCK_VIOLATION) fail(error, false);
            if (std::chrono::steady_clock::now() >= deadline) throw RunError(kPermissionDenied);
            std::this_thread::sleep_for(kLockRetry);
        }
    }
    SharedByteLock(const SharedByteLock&) = delete;
    SharedByteLock& operator=(const SharedByteLock&) = delete;
    ~SharedByteLock() {
        OVERLAPPED at = lockByte();
        if (handle_ != INVALID_HANDLE_VALUE) ::UnlockFileEx(handle_, 0, 1, 0, &at);
    }

private:
    static OVERLAPPED lockByte() {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(kLockOffset & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(kLockOffset >> 32);
        return at;
    }

    HANDLE handle_;
};

// An append-only handle cannot shorten its file: the cut-back opens one that can. Best effort,
// since the failure that led here is the one the student is told about.
void cutBack(const std::filesystem::path& file, std::uint64_t length) {
    try {
        OpenFile(file, GENERIC_WRITE, OPEN_EXISTING, false).cutTo(length);
    } catch (const RunError&) {
    }
}

void appendWhole(const std::filesystem::path& file, OpenFile& out, std::string_view bytes) {
    const std::uint64_t before = out.length();
    try {
        out.writeAll(bytes);
        out.flushToDisk();
    } catch (const RunError&) {
        cutBack(file, before);
        throw;
    }
}

// Missing from MinGW's headers.
constexpr DWORD kErrorDiskQuotaExceeded = 1295;

}  // namespace

int errorNumberOf(int systemError, bool reading) {
    switch (static_cast<DWORD>(systemError)) {
        case ERROR_FILE_NOT_FOUND: return reading ? kFileNotFound : kPathNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_REM_NOT_LIST:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_DIRECTORY:
        case ERROR_NO_NET_OR_BAD_PATH: return kPathNotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD: return kPermissionDenied;
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_DISK_FULL:
        case ERROR_FILE_TOO_LARGE:
        case kErrorDiskQuotaExceeded: return kDiskFull;
        case ERROR_CRC:
        case ERROR_SEEK:
        case ERROR_SECTOR_NOT_FOUND:
        case ERROR_WRITE_FAULT:
        case ERROR_READ_FAULT:
        case ERROR_GEN_FAILURE:
        case ERROR_NETWORK_BUSY:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_BAD_NET_RESP:
        case ERROR_UNEXP_NET_ERR:
        case ERROR_NETNAME_DELETED:
        case ERROR_SEM_TIMEOUT:
        case ERROR_IO_DEVICE:
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_NO_NETWORK:
        case ERROR_NETWORK_UNREACHABLE:
        case ERROR_HOST_UNREACHABLE:
        case ERROR_CONNECTION_ABORTED: return kDeviceIoError;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_NO_UNICODE_TRANSLATION: return kBadFileName;
        case ERROR_INVALID_PARAMETER: return kInvalidArgument;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return kOutOfMemory;
        default: return kPathFileAccessError;
    }
}

void appendToFile(const std::filesystem::path& file, std::string_view bytes) {
    OpenFile out(file, kAppendAccess, OPEN_ALWAYS, false);
    const SharedByteLock lock(out);
    appendWhole(file, out, bytes);
}

void createFile(const std::filesystem::path& file) { OpenFile(file, kAppendAccess, OPEN_ALWAYS, false); }

std::string readFile(const std::filesystem::path& file, std::uint64_t largest) {
    OpenFile in(file, GENERIC_READ, OPEN_EXISTING, true);
    if (in.length() > largest) throw RunError(kPathFileAccessError);
    return in.readAll();
}

void replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    OpenFile out(file, GENERIC_WRITE, CREATE_ALWAYS, false);
    out.writeAll(bytes);
    out.flushToDisk();
}

void saveFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    // One temporary name per process, in the file's own folder so that the move is a rename.
    const std::wstring temporary = file.native() + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    try {
        OpenFile out(temporary, GENERIC_WRITE, CREATE_ALWAYS, false);
        out.writeAll(bytes);
        out.flushToDisk();
        out.close();
        if (!::MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            fail(::GetLastError(), false);
        }
    } catch (...) {
        ::DeleteFileW(temporary.c_str());
        throw;
    }
}

void removeFile(const std::filesystem::path& file) {
    if (::DeleteFileW(file.c_str())) return;
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) fail(error, false);
}

}  // namespace cj
