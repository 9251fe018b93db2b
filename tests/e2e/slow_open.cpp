// Preloaded into the program by the tests as a stalled share: the first open of an existing file
// whose path ends in SLOW_OPEN_NAME waits SLOW_OPEN_SECONDS before it opens. Serves where the machine
// offers the tests no FUSE file system to stall.

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdlib>
#include <string_view>

namespace {

std::atomic<bool> stalled = false;

void stallOnce(const char* path) {
    const char* name = std::getenv("SLOW_OPEN_NAME");
    const char* seconds = std::getenv("SLOW_OPEN_SECONDS");
    if (!name || !seconds || !path || !std::string_view(path).ends_with(name) || access(path, F_OK) != 0) return;
    if (stalled.exchange(true)) return;
    sleep(static_cast<unsigned>(std::atoi(seconds)));
}

template <typename Open>
int opened(const char* symbol, const char* path, int flags, va_list modes) {
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(modes, mode_t) : 0;
    stallOnce(path);
    static const auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, symbol));
    return real(path, flags, mode);
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
    va_list modes;
    va_start(modes, flags);
    const int fd = opened<int (*)(const char*, int, ...)>("open", path, flags, modes);
    va_end(modes);
    return fd;
}

extern "C" int open64(const char* path, int flags, ...) {
    va_list modes;
    va_start(modes, flags);
    const int fd = opened<int (*)(const char*, int, ...)>("open64", path, flags, modes);
    va_end(modes);
    return fd;
}
