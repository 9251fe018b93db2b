#pragma once

#include <string>

namespace cj {

// The student's name as it stands in file names: blanks become "_", and so does every
// character a Windows file name cannot hold, so a name never leaves the data directory.
std::string fileNamePart(const std::string& fullName);

}  // namespace cj
