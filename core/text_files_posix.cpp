#include "text_files.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

#include "run_error.h"

namespace cj {

namespace {

[[noreturn]] void fail(int systemError, bool reading) { throw RunError(errorNumberOf(systemError, reading)); }

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

class OpenFile {
public:
    OpenFile(const std::filesystem::path& file, int flags, bool reading)
        : fd_(::open(file.c_str(), flags | O_CLOEXEC, 0666)), reading_(reading) {
        if (fd_ < 0) fail(errno, reading_);
    }
    explicit OpenFile(int fd) : fd_(fd), reading_(false) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }

    off_t length() const {
        struct stat status {};
        if (::fstat(fd_, &status) != 0) fail(errno, reading_);
        return status.st_size;
    }

    // Waits up to kLockWait for the lock byte. A file system that keeps no locks is
    // appended to without one: on a local disk O_APPEND alone keeps appends apart.
    void lockSharedByte() {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = static_cast<off_t>(kLockOffset);
        lock.l_len = 1;
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        std::chrono::microseconds retry = kFirstLockRetry;
        for (;;) {
            if (::fcntl(fd_, kSetLock, &lock) == 0) return;
            if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL) return;
            if (errno != EACCES && errno != EAGAIN && errno != EINTR) fail(errno, reading_);
            if (std::chrono::steady_clock::now() >= deadline) throw RunError(kPermissionDenied);
            std::this_thread::sleep_for(retry);
            retry = std::min<std::chrono::microseconds>(retry * 2, kLastLockRetry);
        }
    }

    void writeAll(std::string_view bytes) {
        while (!bytes.empty()) {
            const auto written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) fail(errno, reading_);
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    void flushToDisk() {
        if (::fsync(fd_) != 0) fail(errno, reading_);
    }

    std::string readAll() {
        std::string content;
        char buffer[65536];
        for (;;) {
            const auto got = ::read(fd_, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) fail(errno, reading_);
            if (got == 0) return content;
            content.append(buffer, static_cast<std::size_t>(got));
        }
    }

    // A failed close can mean the data never reached the disk.
    void close() {
        if (::close(std::exchange(fd_, -1)) != 0) fail(errno, reading_);
    }

    // Appends bytes whole, or takes back whatever of them reached the file and throws.
    void appendWhole(std::string_view bytes) {
        const off_t before = length();
        try {
            writeAll(bytes);
            flushToDisk();
            closeKeepingSpare();
        } catch (const RunError&) {
            cutBackTo(before);
            throw;
        }
    }

private:
    // The close that may report a lost write is made on a duplicate, so that the file is still
    // open, and still locked, to take the record back when it fails.
    void closeKeepingSpare() {
        const int spare = ::dup(fd_);
        if (spare < 0) fail(errno, reading_);
        if (::close(std::exchange(fd_, spare)) != 0) fail(errno, reading_);
        ::close(std::exchange(fd_, -1));
    }

    // Best effort: the failure that led here is the one the student is told about.
    void cutBackTo(off_t before) {
        if (fd_ < 0) return;
        if (::ftruncate(fd_, before) == 0) ::fsync(fd_);
    }

    int fd_;
    bool reading_;
};

}  // namespace

int errorNumberOf(int systemError, bool reading) {
    switch (systemError) {
        case ENOENT: return reading ? kFileNotFound : kPathNotFound;
        case ENOTDIR: return kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS: return kPermissionDenied;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
        case EFBIG: return kDiskFull;
        case EIO: return kDeviceIoError;
        case ENAMETOOLONG:
        case EILSEQ: return kBadFileName;
        case EINVAL: return kInvalidArgument;
        case ENOMEM: return kOutOfMemory;
        default: return kPathFileAccessError;
    }
}

void appendToFile(const std::filesystem::path& file, std::string_view bytes) {
    OpenFile out(file, O_WRONLY | O_APPEND | O_CREAT, false);
    out.lockSharedByte();
    out.appendWhole(bytes);
}

void createFile(const std::filesystem::path& file) {
    OpenFile(file, O_WRONLY | O_APPEND | O_CREAT, false).close();
}

std::string readFile(const std::filesystem::path& file, std::uint64_t largest) {
    OpenFile in(file, O_RDONLY, true);
    if (static_cast<std::uint64_t>(in.length()) > largest) throw RunError(kPathFileAccessError);
    std::string content = in.readAll();
    in.close();
    return content;
}

void replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    OpenFile out(file, O_WRONLY | O_TRUNC | O_CREAT, false);
    out.writeAll(bytes);
    out.flushToDisk();
    out.close();
}

void saveFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    std::string temporary = file.native() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) fail(errno, false);
    try {
        OpenFile out(fd);
        out.writeAll(bytes);
        out.flushToDisk();
        out.close();
        if (::rename(temporary.c_str(), file.c_str()) != 0) fail(errno, false);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    // The rename itself reaches the disk with its folder.
    const int folder = ::open(file.parent_path().empty() ? "." : file.parent_path().c_str(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void removeFile(const std::filesystem::path& file) {
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) fail(errno, false);
}

}  // namespace cj
