#include "drive_roots.h"

#include <string>

namespace cj {

std::filesystem::path driveRoot(char letter) { return std::filesystem::path(std::string{letter, ':', '\\'}); }

}  // namespace cj
