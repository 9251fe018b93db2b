// Holds the lock byte of the file $1, as another student's program does while it appends,
// until killed; says "held" once it holds it.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "text_files.h"

int main(int argc, char** argv) {
    const int fd = argc == 2 ? open(argv[1], O_RDWR | O_CREAT, 0666) : -1;
    struct flock lock {F_WRLCK, SEEK_SET, static_cast<off_t>(cj::kLockOffset), 1, 0};
    if (fd < 0 || fcntl(fd, F_OFD_SETLKW, &lock) != 0 || std::puts("held") < 0 || std::fflush(stdout) != 0) return 1;
    for (;;) pause();
}
