#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "live_file.h"

namespace cj::report {

struct ReadOnlyFile::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0) ::close(fd);
    }
};

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& file) : handle_(std::make_unique<Handle>()) {
    // Not waiting on a FIFO that someone left under the name.
    handle_->fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (handle_->fd < 0) {
        state_ = errno == ENOENT || errno == ENOTDIR ? State::Missing : State::Refused;
        return;
    }
    struct stat about {};
    if (::fstat(handle_->fd, &about) != 0 || !S_ISREG(about.st_mode)) {
        state_ = State::Refused;
        return;
    }
    state_ = State::Open;
    identity_ = std::to_string(about.st_dev) + ":" + std::to_string(about.st_ino);
    size_ = static_cast<std::uint64_t>(about.st_size);
}

ReadOnlyFile::~ReadOnlyFile() = default;

std::string ReadOnlyFile::read(std::uint64_t offset, std::size_t most) const {
    std::string bytes(most, '\0');
    std::size_t got = 0;
    while (got < most) {
        const ssize_t n = ::pread(handle_->fd, bytes.data() + got, most - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace cj::report
