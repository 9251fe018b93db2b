#include "drive_roots.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace cj {

namespace {

std::filesystem::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/";
}

}  // namespace

// c: is the home directory; any other drive is where a network share is mounted.
std::filesystem::path driveRoot(char letter) {
    if (letter == 'c') return homeDirectory();
    return std::filesystem::path("/mnt") / std::string(1, letter);
}

}  // namespace cj
