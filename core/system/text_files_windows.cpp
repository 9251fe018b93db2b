#include "text_files.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <random>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "long_path_windows.h"
#include "run_error.h"

namespace cj {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(DWORD systemError, bool reading = false) {
    throw RunError(errorNumberOf(static_cast<int>(systemError), reading));
}

bool isFolder(const std::wstring& name) {
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Windows refuses a folder as access denied; it is no question of permission but of something
// other than a file under the name, and the family shows it as on POSIX.
[[noreturn]] void failAt(const std::wstring& name, DWORD systemError, bool reading = false) {
    if (systemError == ERROR_ACCESS_DENIED && isFolder(name)) throw RunError(kPathFileAccessError);
    fail(systemError, reading);
}

// Other students' programs and the instructor's tools may have any of the files open at once.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Without FILE_WRITE_DATA every write lands at the end of the file, decided by whoever holds
// the file, the server of a network share included. Reading is granted only because
// LockFileEx asks for it.
constexpr DWORD kAppendAccess = FILE_APPEND_DATA | FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kReadAccess = FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kWriteAccess = FILE_WRITE_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

// An instructor's tool reading the class file, an indexer or a virus scanner may hold a file
// without sharing it, or lock a range of it, for a moment.
bool heldByAnother(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// A file open without delete sharing cannot be replaced or removed, which Windows mostly
// reports as access denied; a folder under the name is refused at once.
bool replaceWaitsFor(DWORD error, const std::wstring& name) {
    return heldByAnother(error) || (error == ERROR_ACCESS_DENIED && !isFolder(name));
}

constexpr auto kRetry = std::chrono::milliseconds(10);
// The draft is kept again at the next pause in typing, so its replacing need not wait long.
constexpr auto kReplaceWait = std::chrono::seconds(1);

// Makes attempts until one succeeds, fails for a reason that waiting cannot help, or the
// deadline passes; gives ERROR_SUCCESS or the last attempt's error.
template <typename Waits, typename Attempt>
DWORD retryUntil(Clock::time_point deadline, Waits waitsFor, Attempt attempt) {
    for (;;) {
        if (attempt()) return ERROR_SUCCESS;
        const DWORD error = ::GetLastError();
        if (!waitsFor(error) || Clock::now() >= deadline) return error;
        std::this_thread::sleep_for(kRetry);
    }
}

// ReadFile and WriteFile take at most a DWORD at a time.
constexpr std::size_t kLargestTransfer = 1u << 30;

class File {
public:
    File() = default;
    File(const std::wstring& name, DWORD access, DWORD disposition, Clock::time_point deadline, bool reading = false) {
        if (const DWORD error = open(name, access, disposition, deadline)) failAt(name, error, reading);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() { close(); }

    // Gives the error when name cannot be opened by the deadline. A link or anything else but a
    // file planted under the name is opened itself, never followed, and refused untouched.
    DWORD open(const std::wstring& name, DWORD access, DWORD disposition, Clock::time_point deadline) {
        const DWORD error = openAs(name, access, disposition, deadline, FILE_FLAG_OPEN_REPARSE_POINT);
        if (error == ERROR_SUCCESS) refuseAllButRegularFiles(name, access, deadline);
        return error;
    }

    // Once FlushFileBuffers has succeeded the bytes are on stable storage; closing a handle
    // reports no lost write on Windows, so there is nothing left for it to tell.
    void close() {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
    }

    HANDLE handle() const { return handle_; }
    std::uint64_t written() const { return written_; }

    std::uint64_t length() const {
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(handle_, &size)) fail(::GetLastError());
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    void writeAll(std::string_view bytes, Clock::time_point deadline) {
        while (!bytes.empty()) {
            DWORD done = 0;
            const auto size = static_cast<DWORD>(std::min(bytes.size(), kLargestTransfer));
            const DWORD error = retryUntil(deadline, heldByAnother,
                                           [&] { return ::WriteFile(handle_, bytes.data(), size, &done, nullptr); });
            written_ += done;
            if (error != ERROR_SUCCESS) fail(error);
            bytes.remove_prefix(done);
        }
    }

    void flushToDisk() {
        if (!::FlushFileBuffers(handle_)) fail(::GetLastError());
    }

    std::string readAll(std::uint64_t largest) {
        std::string content;
        readInPieces([&](std::string_view piece) {
            content.append(piece);
            if (content.size() > largest) throw RunError(kPathFileAccessError);
        });
        return content;
    }

    void readInPieces(const std::function<void(std::string_view)>& take) {
        char buffer[65536];
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(handle_, buffer, sizeof buffer, &got, nullptr)) fail(::GetLastError());
            if (got == 0) return;
            take(std::string_view(buffer, got));
        }
    }

    void setLength(std::uint64_t length) {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = static_cast<LONGLONG>(length);
        if (!::SetFileInformationByHandle(handle_, FileEndOfFileInfo, &end, sizeof end)) fail(::GetLastError());
    }

private:
    DWORD openAs(const std::wstring& name, DWORD access, DWORD disposition, Clock::time_point deadline, DWORD flags) {
        return retryUntil(deadline, heldByAnother, [&] {
            handle_ = ::CreateFileW(name.c_str(), access, kShareAll, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL | flags, nullptr);
            return handle_ != INVALID_HANDLE_VALUE;
        });
    }

    [[noreturn]] void refuse(DWORD systemError = ERROR_SUCCESS) {
        close();
        if (systemError != ERROR_SUCCESS) fail(systemError);
        throw RunError(kPathFileAccessError);
    }

    // Other reparse points than links are files whose data a filter keeps, elsewhere or shared:
    // cloud placeholders, deduplicated and tiered files. Such a file is opened again through its
    // filter, so that what is read and written is its data, and used once the name turns out to
    // stand for the very file first opened.
    void refuseAllButRegularFiles(const std::wstring& name, DWORD access, Clock::time_point deadline) {
        if (::GetFileType(handle_) != FILE_TYPE_DISK) refuse();
        FILE_ATTRIBUTE_TAG_INFO kind{};
        if (!::GetFileInformationByHandleEx(handle_, FileAttributeTagInfo, &kind, sizeof kind)) refuse(::GetLastError());
        if (kind.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) refuse();
        if (!(kind.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;
        if (IsReparseTagNameSurrogate(kind.ReparseTag)) refuse();
        const auto opened = identity();
        close();
        if (const DWORD error = openAs(name, access, OPEN_EXISTING, deadline, 0)) fail(error);
        if (identity() != opened) refuse();
    }

    // The volume and the file's number on it.
    std::tuple<DWORD, DWORD, DWORD> identity() {
        BY_HANDLE_FILE_INFORMATION file{};
        if (!::GetFileInformationByHandle(handle_, &file)) refuse(::GetLastError());
        return {file.dwVolumeSerialNumber, file.nFileIndexHigh, file.nFileIndexLow};
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::uint64_t written_ = 0;
};

OVERLAPPED byteAt(std::uint64_t offset) {
    OVERLAPPED byte{};
    byte.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    byte.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return byte;
}

// Tries for the byte at offset until the deadline; gives ERROR_SUCCESS or the last error.
DWORD lockAt(HANDLE file, std::uint64_t offset, Clock::time_point deadline) {
    OVERLAPPED byte = byteAt(offset);
    return retryUntil(deadline, heldByAnother, [&] {
        return ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &byte);
    });
}

// Reads size bytes at offset, in as many calls as it takes; fewer at the end of the file.
std::string readOf(HANDLE file, std::uint64_t offset, std::uint64_t size) {
    std::string bytes;
    while (bytes.size() < size) {
        std::string piece(static_cast<std::size_t>(std::min<std::uint64_t>(size - bytes.size(), kLargestTransfer)), '\0');
        OVERLAPPED at = byteAt(offset + bytes.size());
        DWORD got = 0;
        if (!::ReadFile(file, piece.data(), static_cast<DWORD>(piece.size()), &got, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF) break;
            fail(::GetLastError());
        }
        if (got == 0) break;
        bytes.append(piece, 0, got);
    }
    return bytes;
}

bool keepsNoLocks(DWORD error) { return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION; }

BY_HANDLE_FILE_INFORMATION informationOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file, &information)) fail(::GetLastError());
    return information;
}

FileIdentity identityOf(HANDLE file) {
    const BY_HANDLE_FILE_INFORMATION information = informationOf(file);
    return {information.dwVolumeSerialNumber,
            std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
}

}  // namespace

// Closing the handle lets go of its lock.
struct HeldLock::Open {
    File file;
};

namespace {

constexpr std::wstring_view kTemporaryCharacters = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Opens out on a name beside the file that nothing else holds, and gives that name.
std::wstring createTemporary(const std::wstring& name, File& out, Clock::time_point deadline) {
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, kTemporaryCharacters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring temporary = name + L".";
        while (temporary.size() < name.size() + kTemporarySuffixLength) temporary += kTemporaryCharacters[pick(source)];
        const DWORD error = out.open(temporary, kWriteAccess, CREATE_NEW, deadline);
        if (error == ERROR_SUCCESS) return temporary;
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) failAt(temporary, error);
    }
    fail(ERROR_FILE_EXISTS);
}

// FILETIME counts tenths of a microsecond since 1601; the system clock counts from 1970.
std::chrono::system_clock::time_point timeOf(FILETIME time) {
    using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
    constexpr Ticks kFrom1601To1970{116'444'736'000'000'000};
    const Ticks since1601{static_cast<std::int64_t>(std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime)};
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(since1601 - kFrom1601To1970));
}

// The search matches short names too, and lets a final ? stand for no character.
bool isLeftover(const WIN32_FIND_DATAW& found, std::wstring_view start, std::chrono::system_clock::time_point since) {
    const std::wstring_view name = found.cFileName;
    return name.size() == start.size() + kTemporarySuffixLength - 1 &&
           ::CompareStringOrdinal(name.data(), static_cast<int>(start.size()), start.data(),
                                  static_cast<int>(start.size()), TRUE) == CSTR_EQUAL &&
           name.substr(start.size()).find_first_not_of(kTemporaryCharacters) == std::wstring_view::npos &&
           (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           !((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(found.dwReserved0)) &&
           timeOf(found.ftLastWriteTime) < since;
}

void removeNamed(const std::wstring& name) {
    const DWORD error = retryUntil(Clock::now() + kReplaceWait, [&](DWORD e) { return replaceWaitsFor(e, name); },
                                   [&] { return ::DeleteFileW(name.c_str()); });
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) failAt(name, error);
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

struct AppendFile::Opened {
    Opened(const std::filesystem::path& file, DWORD disposition) : name(longPath(file)), disposition(disposition) {}
    ~Opened() {
        OVERLAPPED byte = byteAt(kLockOffset);
        if (locked) ::UnlockFileEx(file.handle(), 0, 1, 0, &byte);
    }
    // Opens the file if no other program holds it now; false while one does.
    bool open() {
        if (file.handle() != INVALID_HANDLE_VALUE) return true;
        const DWORD error = file.open(name, kAppendAccess, disposition, Clock::now());
        if (error != ERROR_SUCCESS && !heldByAnother(error)) failAt(name, error);
        return error == ERROR_SUCCESS;
    }
    std::uint64_t writtenSinceKept() const { return file.written() - kept; }

    std::wstring name;
    DWORD disposition;
    Clock::time_point deadline = Clock::now() + kLockWait;
    File file;
    bool locked = false;
    // The length is learned once the lock is free, so that it stays true while the lock is
    // held: the file then ends after before + writtenSinceKept().
    bool looked = false;
    std::uint64_t before = 0;
    std::uint64_t kept = 0;
};

// A file that another program holds without sharing is opened once it lets go, as its lock byte
// is taken: both count as the lock not being free.
AppendFile::AppendFile(const std::filesystem::path& file, Missing missing) {
    auto opened = std::make_unique<Opened>(file, missing == Missing::Create ? OPEN_ALWAYS : OPEN_EXISTING);
    const DWORD error = opened->file.open(opened->name, kAppendAccess, opened->disposition, Clock::now());
    const int number = errorNumberOf(static_cast<int>(error), true);
    if (missing == Missing::Absent && (number == kFileNotFound || number == kPathNotFound)) return;
    if (error != ERROR_SUCCESS && !heldByAnother(error)) failAt(opened->name, error);
    opened_ = std::move(opened);
}

AppendFile::~AppendFile() = default;

bool AppendFile::isOpen() const { return opened_ != nullptr; }

// LockFileEx asks for reading, so a file is never opened for appending alone.
bool AppendFile::readable() const { return true; }

// Where the file system keeps no locks, holds none and lets the append go ahead: the
// append-only handle keeps appends apart on a local disk.
bool AppendFile::tryLock() {
    Opened& o = *opened_;
    if (!o.open()) return false;
    const DWORD error = lockAt(o.file.handle(), kLockOffset, Clock::now());
    if (heldByAnother(error) || error == ERROR_IO_PENDING) return false;
    if (error != ERROR_SUCCESS && !keepsNoLocks(error)) fail(error);
    o.locked = error == ERROR_SUCCESS;
    if (!o.looked) {
        o.before = o.file.length();
        o.looked = true;
    }
    return true;
}

void AppendFile::lock() {
    while (!tryLock()) {
        if (Clock::now() >= opened_->deadline) throw RunError(kPermissionDenied);
        std::this_thread::sleep_for(kRetry);
    }
}

std::string AppendFile::tail(std::size_t most) const {
    const std::uint64_t end = length();
    const std::uint64_t from = end - std::min<std::uint64_t>(end, most);
    return readAt(from, static_cast<std::size_t>(end - from));
}

std::string AppendFile::readAt(std::uint64_t offset, std::size_t most) const {
    return readOf(opened_->file.handle(), offset, std::min<std::uint64_t>(most, length() - std::min(offset, length())));
}

FileIdentity AppendFile::identity() const { return identityOf(opened_->file.handle()); }

std::uint64_t AppendFile::length() const { return opened_->before + opened_->writtenSinceKept(); }

std::string AppendFile::readAll() const {
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(opened_->file.handle(), start, nullptr, FILE_BEGIN)) fail(::GetLastError());
    return opened_->file.readAll(std::numeric_limits<std::uint64_t>::max());
}

std::uint64_t AppendFile::links() const { return informationOf(opened_->file.handle()).nNumberOfLinks; }

bool AppendFile::appendOnly() const { return false; }

std::chrono::system_clock::time_point AppendFile::lastWritten() const {
    return timeOf(informationOf(opened_->file.handle()).ftLastWriteTime);
}

void AppendFile::write(std::string_view bytes) { opened_->file.writeAll(bytes, opened_->deadline); }

// Once FlushFileBuffers has succeeded the bytes are on stable storage.
void AppendFile::finishWriting() { opened_->file.flushToDisk(); }

// An append-only handle cannot shorten its file; a second one can, while the first keeps the lock.
void AppendFile::takeBack() {
    Opened& o = *opened_;
    if (!o.locked || o.writtenSinceKept() == 0 || o.file.length() != o.before + o.writtenSinceKept() || links() != 1) {
        return;
    }
    File cut(o.name, kWriteAccess, OPEN_EXISTING, Clock::now() + kLockWait);
    cut.setLength(o.before);
    cut.flushToDisk();
    o.kept = o.file.written();
}

void AppendFile::keep() {
    Opened& o = *opened_;
    o.before += o.writtenSinceKept();
    o.kept = o.file.written();
}

// Not flushed: should a crash undo the emptying, the lines are delivered twice, never lost.
void AppendFile::empty() {
    if (links() != 1) throw RunError(kPathFileAccessError);
    File(opened_->name, kWriteAccess, OPEN_EXISTING, Clock::now() + kLockWait).setLength(0);
    opened_->before = 0;
    opened_->kept = opened_->file.written();
}

HeldLock HeldLock::tryToTake(const std::filesystem::path& file, std::uint64_t offset) {
    auto open = std::make_unique<Open>();
    const std::wstring name = longPath(file);
    if (const DWORD error = open->file.open(name, kAppendAccess, OPEN_ALWAYS, Clock::now() + kLockWait)) {
        failAt(name, error);
    }
    const DWORD error = lockAt(open->file.handle(), offset, Clock::now());
    HeldLock lock;
    if (error == ERROR_SUCCESS || keepsNoLocks(error)) {
        lock.open_ = std::move(open);
    } else if (!heldByAnother(error)) {
        fail(error);
    }
    return lock;
}

HeldLock::HeldLock() = default;
HeldLock::HeldLock(HeldLock&&) noexcept = default;
HeldLock& HeldLock::operator=(HeldLock&&) noexcept = default;
HeldLock::~HeldLock() = default;

void createFile(const std::filesystem::path& file) {
    File(longPath(file), kAppendAccess, OPEN_ALWAYS, Clock::now() + kLockWait);
}

std::string readFile(const std::filesystem::path& file, std::uint64_t largest) {
    File in(longPath(file), kReadAccess, OPEN_EXISTING, Clock::now() + kLockWait, true);
    if (in.length() > largest) throw RunError(kPathFileAccessError);
    return in.readAll(largest);
}

std::string readFileAt(const std::filesystem::path& file, const FilePlace& place, std::size_t most) {
    File in;
    const std::wstring name = longPath(file);
    const DWORD error = in.open(name, kReadAccess, OPEN_EXISTING, Clock::now() + kLockWait);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return "";
    if (error != ERROR_SUCCESS) failAt(name, error, true);
    if (!(identityOf(in.handle()) == place.file)) return "";
    return readOf(in.handle(), place.at, most);
}

void readFileInPieces(const std::filesystem::path& file, const std::function<void(std::string_view)>& take) {
    File(longPath(file), kReadAccess, OPEN_EXISTING, Clock::now() + kLockWait, true).readInPieces(take);
}

void replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    const auto deadline = Clock::now() + kLockWait;
    // Emptied only once open, so that neither a planted file nor one linked elsewhere is emptied.
    File out(longPath(file), kWriteAccess, OPEN_ALWAYS, deadline);
    if (informationOf(out.handle()).nNumberOfLinks != 1) throw RunError(kPathFileAccessError);
    out.setLength(0);
    out.writeAll(bytes, deadline);
    out.flushToDisk();
}

void saveFileAtomically(const std::filesystem::path& file, std::string_view bytes, Durability durability) {
    const std::wstring name = longPath(file);
    const auto deadline = Clock::now() + kLockWait;
    File out;
    const std::wstring temporary = createTemporary(name, out, deadline);
    try {
        out.writeAll(bytes, deadline);
        if (durability == Durability::Flushed) out.flushToDisk();
        out.close();
        const DWORD replace =
            MOVEFILE_REPLACE_EXISTING | (durability == Durability::Flushed ? MOVEFILE_WRITE_THROUGH : 0);
        const DWORD error = retryUntil(Clock::now() + kReplaceWait, [&](DWORD e) { return replaceWaitsFor(e, name); },
                                       [&] { return ::MoveFileExW(temporary.c_str(), name.c_str(), replace); });
        if (error != ERROR_SUCCESS) failAt(name, error);
    } catch (...) {
        out.close();
        ::DeleteFileW(temporary.c_str());
        throw;
    }
}

void removeLeftoverTemporaries(const std::filesystem::path& file, std::chrono::system_clock::time_point since) {
    const std::wstring name = longPath(file);
    const std::wstring folder = name.substr(0, name.rfind(L'\\') + 1);
    const std::wstring start = name.substr(folder.size()) + L".";
    const std::wstring pattern = name + L"." + std::wstring(kTemporarySuffixLength - 1, L'?');
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
        fail(error);
    }
    const std::unique_ptr<void, decltype(&::FindClose)> searching(search, &::FindClose);
    std::vector<std::wstring> leftovers;
    do {
        if (isLeftover(found, start, since)) leftovers.push_back(folder + found.cFileName);
    } while (::FindNextFileW(search, &found));
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) fail(error);
    for (const auto& leftover : leftovers) removeNamed(leftover);
}

void removeFile(const std::filesystem::path& file) { removeNamed(longPath(file)); }

std::chrono::system_clock::time_point lastWriteTime(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(longPath(file).c_str(), GetFileExInfoStandard, &data)) fail(::GetLastError(), true);
    return timeOf(data.ftLastWriteTime);
}

}  // namespace cj
