#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "bare_append.h"

namespace cj::bench {

void bareAppend(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::fsync(fd) != 0) {
        std::abort();
    }
    ::close(fd);
}

}  // namespace cj::bench
