#include "text_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "run_error.h"

namespace cj {

namespace {

[[noreturn]] void fail(bool reading) { throw RunError(errorNumberOf(errno, reading)); }

class OpenFile {
public:
    OpenFile(const std::filesystem::path& file, int flags, bool reading)
        : fd_(::open(file.c_str(), flags | O_CLOEXEC, 0666)), reading_(reading) {
        if (fd_ < 0) fail(reading_);
    }
    explicit OpenFile(int fd) : fd_(fd), reading_(false) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }

    void writeAll(std::string_view bytes) {
        while (!bytes.empty()) {
            const auto written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) fail(reading_);
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    void flushToDisk() {
        if (::fsync(fd_) != 0) fail(reading_);
    }

    std::string readAll() {
        std::string content;
        char buffer[65536];
        for (;;) {
            const auto got = ::read(fd_, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) fail(reading_);
            if (got == 0) return content;
            content.append(buffer, static_cast<std::size_t>(got));
        }
    }

    // A failed close can mean the data never reached the disk.
    void close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) fail(reading_);
    }

private:
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
    out.writeAll(bytes);
    out.flushToDisk();
    out.close();
}

void createFile(const std::filesystem::path& file) {
    OpenFile(file, O_WRONLY | O_APPEND | O_CREAT, false).close();
}

std::string readFile(const std::filesystem::path& file) {
    OpenFile in(file, O_RDONLY, true);
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

void appendToSharedFile(const std::filesystem::path& file, std::string_view bytes) { appendToFile(file, bytes); }

void saveFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    std::string temporary = file.native() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) fail(false);
    try {
        OpenFile out(fd);
        out.writeAll(bytes);
        out.flushToDisk();
        out.close();
        if (::rename(temporary.c_str(), file.c_str()) != 0) fail(false);
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
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) fail(false);
}

}  // namespace cj
