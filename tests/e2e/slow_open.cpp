// Preloaded into the program by the tests as a stalled share: the first open of an existing file
// whose path ends in SLOW_OPEN_NAME waits SLOW_OPEN_SECONDS. Serves where the machine offers the
// tests no FUSE file system to stall.

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdlib>
#include <string_view>

extern "C" int open(const char* path, int flags, ...) {
    static std::atomic<bool> stalled = false;
    const char* name = std::getenv("SLOW_OPEN_NAME");
    if (name && std::string_view(path).ends_with(name) && access(path, F_OK) == 0 && !stalled.exchange(true)) {
        sleep(static_cast<unsigned>(std::atoi(std::getenv("SLOW_OPEN_SECONDS"))));
    }
    va_list modes;
    va_start(modes, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(modes, mode_t) : 0;
    va_end(modes);
    static const auto real = reinterpret_cast<int (*)(const char*, int, ...)>(dlsym(RTLD_NEXT, "open"));
    return real(path, flags, mode);
}

extern "C" int open64(const char* path, int flags, ...) __attribute__((alias("open")));
