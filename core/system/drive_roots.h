#pragma once

#include <filesystem>

namespace cj {

// The folder that stands for the root of drive x: on this computer, given its lower-case letter.
std::filesystem::path driveRoot(char letter);

}  // namespace cj
