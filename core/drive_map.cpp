#include "drive_map.h"

#include <cctype>
#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

#include "code_page.h"
#include "run_error.h"

namespace cj {

namespace {

#ifdef _WIN32
std::filesystem::path driveRoot(char letter) { return std::filesystem::path(std::string{letter, ':', '\\'}); }
#else
std::filesystem::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/";
}

std::filesystem::path driveRoot(char letter) {
    if (letter == 'c') return homeDirectory();
    return std::filesystem::path("/mnt") / std::string(1, letter);
}
#endif

std::filesystem::path pathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

DriveMap::DriveMap(RootOf rootOf) : rootOf_(std::move(rootOf)) {}

DriveMap DriveMap::forThisComputer() { return DriveMap(driveRoot); }

std::filesystem::path DriveMap::locate(const std::string& dosPath) const {
    if (dosPath.size() < 2 || dosPath[1] != ':' || !std::isalpha(static_cast<unsigned char>(dosPath[0]))) {
        throw RunError(kBadFileName);
    }
    std::filesystem::path located = rootOf_(static_cast<char>(std::tolower(static_cast<unsigned char>(dosPath[0]))));
    std::size_t start = 2;
    while (start <= dosPath.size()) {
        const std::size_t end = std::min(dosPath.find('\\', start), dosPath.size());
        const std::string part = dosPath.substr(start, end - start);
        // A composed path never climbs out of its folder, nor hides a separator in a name.
        if (part == "." || part == ".." || part.find('/') != std::string::npos) throw RunError(kBadFileName);
        if (!part.empty()) located /= pathFromUtf8(toUtf8(part));
        start = end + 1;
    }
    return located;
}

}  // namespace cj
