#include "drive_map.h"

#include <algorithm>

#include "ascii_case.h"
#include "drive_roots.h"
#include "path_text.h"
#include "run_error.h"

namespace cj {

DriveMap::DriveMap(RootOf rootOf) : rootOf_(std::move(rootOf)) {}

DriveMap DriveMap::forThisComputer() { return DriveMap(driveRoot); }

std::filesystem::path DriveMap::locate(const std::string& dosPath) const {
    const char letter = dosPath.empty() ? '\0' : asciiLower(dosPath[0]);
    if (dosPath.size() < 2 || dosPath[1] != ':' || letter < 'a' || letter > 'z') throw RunError(kBadFileName);
    std::filesystem::path located = rootOf_(letter);
    std::size_t start = 2;
    while (start <= dosPath.size()) {
        const std::size_t end = std::min(dosPath.find('\\', start), dosPath.size());
        const std::string part = dosPath.substr(start, end - start);
        // A composed path never climbs out of its folder, nor hides a separator in a name.
        if (part == "." || part == ".." || part.find('/') != std::string::npos) throw RunError(kBadFileName);
        if (!part.empty()) located /= pathFromUtf8(part);
        start = end + 1;
    }
    return located;
}

}  // namespace cj
