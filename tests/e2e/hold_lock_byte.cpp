// Holds the lock byte of a file, as another student's program does while it appends, until
// killed; says "held" on standard output once it holds it.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "text_files.h"

int main(int argc, char** argv) {
    const int fd = argc == 2 ? open(argv[1], O_RDWR | O_CREAT, 0666) : -1;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(cj::kLockOffset);
    lock.l_len = 1;
    if (fd < 0 || fcntl(fd, F_OFD_SETLKW, &lock) != 0) return 1;
    std::puts("held");
    std::fflush(stdout);
    for (;;) pause();
}
