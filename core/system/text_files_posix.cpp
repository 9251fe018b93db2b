#include "text_files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#if __has_include(<linux/fs.h>)
#include <linux/fs.h>
#endif
#include <functional>
#include <memory>
#include <stdlib.h>
#include <sys/ioctl.h>
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
// a duplicate and is let go only with the last descriptor of the file. A process-held lock
// would go with the first close of the file, before the outbox is emptied or a cut-back runs:
// the build refuses a system without these locks.
constexpr int kSetLock = F_OFD_SETLK;
// A record holds the lock for a few milliseconds: try again soon, then less often.
constexpr auto kFirstLockRetry = std::chrono::microseconds(250);
constexpr auto kLastLockRetry = std::chrono::milliseconds(4);

// Anyone who can write the folder could put a link, a FIFO or a device under a file's name:
// none is followed or waited on, and only a regular file is read or written.
constexpr int kOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

class OpenFile {
public:
    OpenFile(const std::filesystem::path& file, int flags, bool reading)
        : OpenFile(openedOrFailed(file, flags, reading), reading) {}
    // Takes over fd, which must be open.
    OpenFile(int fd, bool reading) : fd_(fd), reading_(reading) { requireRegularFile(status()); }
    // Takes over fd, whose type its user checks with requireRegularFile before reading or writing.
    struct Unchecked {};
    OpenFile(int fd, Unchecked) : fd_(fd), reading_(false) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }

    struct stat status() const {
        struct stat status {};
        if (::fstat(fd_, &status) != 0) fail(errno, reading_);
        return status;
    }
    off_t length() const { return status().st_size; }

    static int openedOrFailed(const std::filesystem::path& file, int flags, bool reading) {
        const int fd = ::open(file.c_str(), flags | kOpenFlags, 0666);
        if (fd < 0) failToOpen(file, errno, reading);
        return fd;
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

    // The bytes from offset, up to most of them.
    std::string readFrom(off_t offset, std::size_t most = std::numeric_limits<std::size_t>::max()) const {
        std::string content;
        char buffer[65536];
        while (content.size() < most) {
            const std::size_t wanted = std::min(sizeof buffer, most - content.size());
            const auto got = ::pread(fd_, buffer, wanted, offset + static_cast<off_t>(content.size()));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) fail(errno, reading_);
            if (got == 0) break;
            content.append(buffer, static_cast<std::size_t>(got));
        }
        return content;
    }

    // A failed close can mean the data never reached the disk. The close is made on the
    // original while a duplicate keeps the file open, and locked, to take a record back.
    void checkedClose() {
        const int spare = ::dup(fd_);
        if (spare < 0) fail(errno, reading_);
        if (::close(std::exchange(fd_, spare)) != 0) fail(errno, reading_);
    }

    // A lost flush of the new length at worst brings back bytes that are safely elsewhere.
    void setLength(off_t length) {
        if (::ftruncate(fd_, length) != 0) fail(errno, reading_);
        ::fsync(fd_);
    }

    bool appendOnly() const {
#ifdef FS_IOC_GETFLAGS
        int flags = 0;
        return ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_APPEND_FL) != 0;
#else
        return false;
#endif
    }

    void requireRegularFile(const struct stat& status) {
        if (!S_ISREG(status.st_mode)) {
            ::close(std::exchange(fd_, -1));
            throw RunError(kPathFileAccessError);
        }
    }

private:

    int fd_;
    bool reading_;
};

}  // namespace

// Closing the file lets go of its lock.
struct HeldLock::Open {
    OpenFile file;
};

namespace {

FileIdentity identityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

// mkstemp's letters and digits: no name of a student's file, which all end in a full stop and
// their kind, can pass for one of them.
bool isTemporaryOf(const std::string& name, const std::string& file) {
    const auto made = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    return name.size() == file.size() + kTemporarySuffixLength && name.compare(0, file.size(), file) == 0 &&
           name[file.size()] == '.' && std::all_of(name.begin() + static_cast<long>(file.size()) + 1, name.end(), made);
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

struct AppendFile::Opened {
    OpenFile file;
    bool readable;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::now() + kLockWait;
    bool locked = false;
    // The file's type and length are learned once the lock is free, in one look, so that the
    // length stays true while the lock is held: the file then ends after before + written.
    bool looked = false;
    FileIdentity identity;
    off_t before = 0;
    std::size_t written = 0;
};

AppendFile::AppendFile(const std::filesystem::path& file, Missing missing) {
    const int flags = O_APPEND | (missing == Missing::Create ? O_CREAT : 0) | kOpenFlags;
    bool readable = true;
    int fd = ::open(file.c_str(), O_RDWR | flags, 0666);
    // A file the class may add to but not read is still written, unread.
    if (fd < 0 && errno == EACCES) {
        readable = false;
        fd = ::open(file.c_str(), O_WRONLY | flags, 0666);
    }
    if (fd < 0 && missing == Missing::Absent && (errno == ENOENT || errno == ENOTDIR)) return;
    if (fd < 0) failToOpen(file, errno, false);
    opened_.reset(new Opened{OpenFile(fd, OpenFile::Unchecked{}), readable});
}

AppendFile::~AppendFile() = default;

bool AppendFile::isOpen() const { return opened_ != nullptr; }

bool AppendFile::readable() const { return opened_->readable; }

// Where the file system keeps no locks, the append goes ahead without one.
bool AppendFile::tryLock() {
    Opened& o = *opened_;
    const OpenFile::Lock got = o.file.tryToLock(kLockOffset);
    if (got == OpenFile::Lock::HeldByAnother) return false;
    o.locked = got == OpenFile::Lock::Taken;
    if (!o.looked) {
        const struct stat status = o.file.status();
        o.file.requireRegularFile(status);
        o.identity = identityOf(status);
        o.before = status.st_size;
        o.looked = true;
    }
    return true;
}

// A record holds the lock for a few milliseconds: try again soon, then less often.
void AppendFile::lock() {
    std::chrono::microseconds retry = kFirstLockRetry;
    while (!tryLock()) {
        if (std::chrono::steady_clock::now() >= opened_->deadline) throw RunError(kPermissionDenied);
        std::this_thread::sleep_for(retry);
        retry = std::min<std::chrono::microseconds>(retry * 2, kLastLockRetry);
    }
}

std::string AppendFile::tail(std::size_t most) const {
    const std::uint64_t end = length();
    const std::uint64_t from = end - std::min<std::uint64_t>(end, most);
    return readAt(from, static_cast<std::size_t>(end - from));
}

std::string AppendFile::readAt(std::uint64_t offset, std::size_t most) const {
    return opened_->file.readFrom(static_cast<off_t>(offset), most);
}

FileIdentity AppendFile::identity() const { return opened_->identity; }

std::uint64_t AppendFile::length() const {
    return static_cast<std::uint64_t>(opened_->before) + opened_->written;
}

std::string AppendFile::readAll() const { return opened_->file.readFrom(0); }

std::uint64_t AppendFile::links() const { return opened_->file.status().st_nlink; }

bool AppendFile::appendOnly() const { return opened_->file.appendOnly(); }

std::chrono::system_clock::time_point AppendFile::lastWritten() const {
    return std::chrono::system_clock::from_time_t(opened_->file.status().st_mtime);
}

void AppendFile::write(std::string_view bytes) { opened_->file.writeAll(bytes, opened_->written); }

void AppendFile::finishWriting() {
    opened_->file.flushToDisk();
    opened_->file.checkedClose();
}

void AppendFile::takeBack() {
    Opened& o = *opened_;
    if (!o.locked || o.written == 0) return;
    const struct stat now = o.file.status();
    if (now.st_size != o.before + static_cast<off_t>(o.written) || now.st_nlink != 1) return;
    o.file.setLength(o.before);
    o.written = 0;
}

void AppendFile::keep() {
    Opened& o = *opened_;
    o.before += static_cast<off_t>(std::exchange(o.written, 0));
}

void AppendFile::empty() {
    if (links() != 1) throw RunError(kPathFileAccessError);
    opened_->file.setLength(0);
    opened_->before = 0;
    opened_->written = 0;
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
    std::string content = in.readFrom(0);
    in.checkedClose();
    return content;
}

std::string readFileAt(const std::filesystem::path& file, const FilePlace& place, std::size_t most) {
    try {
        OpenFile in(file, O_RDONLY, true);
        if (!(identityOf(in.status()) == place.file)) return "";
        return in.readFrom(static_cast<off_t>(place.at), most);
    } catch (const RunError& failure) {
        if (failure.number() == kFileNotFound || failure.number() == kPathNotFound) return "";
        throw;
    }
}

void readFileInPieces(const std::filesystem::path& file, const std::function<void(std::string_view)>& take) {
    OpenFile in(file, O_RDONLY, true);
    in.readInPieces(take);
}

void replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    // Emptied only once open, so that neither a planted file nor one linked elsewhere is emptied.
    OpenFile out(file, O_WRONLY | O_CREAT, false);
    if (out.status().st_nlink != 1) throw RunError(kPathFileAccessError);
    out.setLength(0);
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
        OpenFile out(fd, false);
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
