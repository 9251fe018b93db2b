#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace cj {

// Where a composed drive-letter path such as "c:\qorsdata\notes_X.txt", in UTF-8, lies on this
// computer.
class DriveMap {
public:
    // The folder that stands for the root of a drive, given its lower-case letter.
    using RootOf = std::function<std::filesystem::path(char driveLetter)>;

    explicit DriveMap(RootOf rootOf);

    // On Windows the drives themselves; elsewhere c: is the home directory and any other
    // drive x: is /mnt/x, where a network share is mounted.
    static DriveMap forThisComputer();

    // Throws RunError(kBadFileName) for a text that is not a drive-letter path.
    std::filesystem::path locate(const std::string& dosPath) const;

private:
    RootOf rootOf_;
};

}  // namespace cj
