#include "text_files.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <stdlib.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

#include "run_error.h"

namespace cj {

namespace {

[[noreturn]] void fail(int systemError, bool reading) { throw RunError(errorNumberOf(systemError, reading)); }

bool folderOfExists(const std::filesystem::path& file) {
    struct stat status {};
    const std::filesystem::path folder = file.parent_path();
    return ::stat(folder.empty() ? "." : folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// A missing folder is no missing file: Windows tells the two apart, and the student sees the
// same number on both systems.
[[noreturn]] void failToOpen(const std::filesystem::path& file, int systemError, bool reading) {
    if (systemError == ENOENT && !folderOfExists(file)) throw RunError(kPathNotFound);
    fail(systemError, reading);
}

// Held by the open file itself rather than by the process, so the lock survives the close of
// a duplicate and is let go only with the last descriptor of the file.
#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
#else
constexpr int kSetLock = F_SETLK;
#endif
// A record holds the lock for a few milliseconds: try again soon, then less often.
constexpr auto kFirstLockRetry = std::chrono::microseconds(250);
constexpr auto kLastLockRetry = std::chrono::milliseconds(4);

// Anyone who can write the folder could put a link, a FIFO or a device under a file's name:
// none is followed or waited on, and only a regular file is read or written.
constexpr int kOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// For a file that may be missing, which then counts as empty.
struct IfPresent {};

class OpenFile {
public:
    OpenFile(const std::filesystem::path& file, int flags, bool reading)
        : fd_(::open(file.c_str(), flags | kOpenFlags, 0666)), reading_(reading) {
        if (fd_ < 0) failToOpen(file, errno, reading_);
        requireRegularFile();
    }
    // Only the file may be missing, not its folder.
    OpenFile(const std::filesystem::path& file, int flags, IfPresent)
        : fd_(::open(file.c_str(), flags | kOpenFlags)), reading_(false) {
        const int error = errno;
        if (fd_ < 0 && (error != ENOENT || !folderOfExists(file))) failToOpen(file, error, reading_);
        if (fd_ >= 0) requireRegularFile();
    }
    explicit OpenFile(int fd) : fd_(fd), reading_(false) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }

    bool isOpen() const { return fd_ >= 0; }

    off_t length() const { return status().st_size; }

    // Waits up to kLockWait for the lock byte; false where the file system keeps no locks,
    // which leaves the append to go ahead without one.
    bool lockByte() {
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        std::chrono::microseconds retry = kFirstLockRetry;
        for (;;) {
            const Lock got = tryToLock(kLockOffset);
            if (got != Lock::HeldByAnother) return got == Lock::Taken;
            if (std::chrono::steady_clock::now() >= deadline) throw RunError(kPermissionDenied);
            std::this_thread::sleep_for(retry);
            retry = std::min<std::chrono::microseconds>(retry * 2, kLastLockRetry);
        }
    }

    enum class Lock { Taken, HeldByAnother, NotKept };
    Lock tryToLock(std::uint64_t offset) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = static_cast<off_t>(offset);
        lock.l_len = 1;
        if (::fcntl(fd_, kSetLock, &lock) == 0) return Lock::Taken;
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL) return Lock::NotKept;
        if (errno != EACCES && errno != EAGAIN && errno != EINTR) fail(errno, reading_);
        return Lock::HeldByAnother;
    }

    // Counts in written what reached the file, even when a later part fails.
    void writeAll(std::string_view bytes, std::size_t& written) {
        while (!bytes.empty()) {
            const auto done = ::write(fd_, bytes.data(), bytes.size());
            if (done < 0 && errno == EINTR) continue;
            if (done < 0) fail(errno, reading_);
            written += static_cast<std::size_t>(done);
            bytes.remove_prefix(static_cast<std::size_t>(done));
        }
    }

    void flushToDisk() {
        if (::fsync(fd_) != 0) fail(errno, reading_);
    }

    std::string readAll() {
        std::string content;
        readInPieces([&](std::string_view piece) { content.append(piece); });
        return content;
    }

    void readInPieces(const std::function<void(std::string_view)>& take) {
        char buffer[65536];
        for (;;) {
            const auto got = ::read(fd_, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) fail(errno, reading_);
            if (got == 0) return;
            take(std::string_view(buffer, static_cast<std::size_t>(got)));
        }
    }

    // A failed close can mean the data never reached the disk. The close is made on the
    // original while a duplicate keeps the file open, and locked, to take a record back.
    void checkedClose() {
        const int spare = ::dup(fd_);
        if (spare < 0) fail(errno, reading_);
        if (::close(std::exchange(fd_, spare)) != 0) fail(errno, reading_);
    }

    // Empties the file once its lines are safely elsewhere; a lost flush at worst delivers
    // them twice, never loses one.
    void empty() {
        if (::ftruncate(fd_, 0) != 0) fail(errno, reading_);
        ::fsync(fd_);
    }

    // Appends bytes whole, or takes back what of them reached the file and throws. thenUnderLock
    // runs once the bytes are safe, while the lock is still held; its failure takes them back too.
    void appendWhole(std::string_view bytes, bool locked, const std::function<void()>& thenUnderLock) {
        const off_t before = length();
        std::size_t written = 0;
        try {
            writeAll(bytes, written);
            flushToDisk();
            checkedClose();
            thenUnderLock();
        } catch (const RunError&) {
            if (locked) cutBackOurs(before, written);
            throw;
        }
    }

private:
    struct stat status() const {
        struct stat status {};
        if (::fstat(fd_, &status) != 0) fail(errno, reading_);
        return status;
    }

    void requireRegularFile() {
        if (!S_ISREG(status().st_mode)) throw RunError(kPathFileAccessError);
    }

    // Only this append's own bytes are taken back: a file that has grown past them holds a
    // record of someone else's after ours, and cutting would erase it. A cut-back that fails
    // is the failure the student must hear of, for the file then holds part of a record.
    void cutBackOurs(off_t before, std::size_t written) {
        struct stat now {};
        if (::fstat(fd_, &now) != 0 || now.st_size != before + static_cast<off_t>(written)) return;
        if (::ftruncate(fd_, before) != 0) fail(errno, reading_);
        ::fsync(fd_);
    }

    int fd_;
    bool reading_;
};

void appendWithLock(const std::filesystem::path& file, std::string_view bytes, const std::function<void()>& thenUnderLock) {
    OpenFile out(file, O_WRONLY | O_APPEND | O_CREAT, false);
    const bool locked = out.lockByte();
    out.appendWhole(bytes, locked, thenUnderLock);
}

}  // namespace

// Closing the file lets go of its lock.
struct HeldLock::Open {
    OpenFile file;
};

namespace {

bool isTemporaryOf(const std::string& name, const std::string& file) {
    return name.size() == file.size() + kTemporarySuffixLength && name.compare(0, file.size(), file) == 0 &&
           name[file.size()] == '.';
}

}  // namespace

int errorNumberOf(int systemError, bool reading) {
    switch (systemError) {
        case ENOENT: return reading ? kFileNotFound : kPathNotFound;
        case ENOTDIR: return kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS: return kPermissionDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return kDiskFull;
        case EIO:
        case ESTALE:
        case ETIMEDOUT:
        case ENETDOWN:
        case ENETUNREACH:
        case ENETRESET:
        case ECONNABORTED:
        case ECONNRESET:
        case EHOSTDOWN:
        case EHOSTUNREACH: return kDeviceIoError;
        case ENAMETOOLONG:
        case EILSEQ: return kBadFileName;
        case EINVAL: return kInvalidArgument;
        case ENOMEM: return kOutOfMemory;
        default: return kPathFileAccessError;
    }
}

void appendToFile(const std::filesystem::path& file, std::string_view bytes) {
    appendWithLock(file, bytes, [] {});
}

void appendAfterOutbox(const std::filesystem::path& outbox, const std::filesystem::path& file,
                       std::string_view bytes) {
    OpenFile box(outbox, O_RDWR, IfPresent{});
    std::string lines;
    if (box.isOpen()) {
        box.lockByte();
        lines = box.readAll();
    }
    if (lines.empty()) return appendToFile(file, bytes);
    appendWithLock(file, lines.append(bytes), [&] { box.empty(); });
}

HeldLock HeldLock::tryToTake(const std::filesystem::path& file, std::uint64_t offset) {
    auto open = std::unique_ptr<Open>(new Open{OpenFile(file, O_WRONLY | O_APPEND | O_CREAT, false)});
    HeldLock lock;
    if (open->file.tryToLock(offset) != OpenFile::Lock::HeldByAnother) lock.open_ = std::move(open);
    return lock;
}

HeldLock::HeldLock() = default;
HeldLock::HeldLock(HeldLock&&) noexcept = default;
HeldLock& HeldLock::operator=(HeldLock&&) noexcept = default;
HeldLock::~HeldLock() = default;

void createFile(const std::filesystem::path& file) {
    OpenFile(file, O_WRONLY | O_APPEND | O_CREAT, false).checkedClose();
}

std::string readFile(const std::filesystem::path& file, std::uint64_t largest) {
    OpenFile in(file, O_RDONLY, true);
    if (static_cast<std::uint64_t>(in.length()) > largest) throw RunError(kPathFileAccessError);
    std::string content = in.readAll();
    in.checkedClose();
    return content;
}

void readFileInPieces(const std::filesystem::path& file, const std::function<void(std::string_view)>& take) {
    OpenFile in(file, O_RDONLY, true);
    in.readInPieces(take);
}

void replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    OpenFile out(file, O_WRONLY | O_TRUNC | O_CREAT, false);
    std::size_t written = 0;
    out.writeAll(bytes, written);
    out.flushToDisk();
    out.checkedClose();
}

void saveFileAtomically(const std::filesystem::path& file, std::string_view bytes, Durability durability) {
    std::string temporary = file.native() + ".XXXXXX";
    static_assert(std::char_traits<char>::length(".XXXXXX") == kTemporarySuffixLength);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) fail(errno, false);
    try {
        OpenFile out(fd);
        std::size_t written = 0;
        out.writeAll(bytes, written);
        if (durability == Durability::Flushed) out.flushToDisk();
        out.checkedClose();
        if (::rename(temporary.c_str(), file.c_str()) != 0) fail(errno, false);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    // The rename itself reaches the disk with its folder.
    if (durability == Durability::Replaceable) return;
    const int folder = ::open(file.parent_path().empty() ? "." : file.parent_path().c_str(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void removeLeftoverTemporaries(const std::filesystem::path& file, std::chrono::system_clock::time_point since) {
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(
        ::opendir(file.parent_path().empty() ? "." : file.parent_path().c_str()), ::closedir);
    if (!folder) fail(errno, true);
    const std::string name = file.filename().native();
    const auto sinceSeconds = std::chrono::duration_cast<std::chrono::seconds>(since.time_since_epoch()).count();
    while (const dirent* entry = ::readdir(folder.get())) {
        if (!isTemporaryOf(entry->d_name, name)) continue;
        struct stat status {};
        const int at = ::dirfd(folder.get());
        if (::fstatat(at, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode) &&
            status.st_mtime < sinceSeconds) {
            ::unlinkat(at, entry->d_name, 0);
        }
    }
}

void removeFile(const std::filesystem::path& file) {
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) fail(errno, false);
}

std::chrono::system_clock::time_point lastWriteTime(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) fail(errno, true);
    using namespace std::chrono;
    return time_point_cast<system_clock::duration>(system_clock::from_time_t(status.st_mtim.tv_sec) +
                                                   nanoseconds(status.st_mtim.tv_nsec));
}

}  // namespace cj
