#pragma once

#include <string>

namespace cj {

// The student's name as it stands in file names: blanks become "_", and so does every
// character a Windows file name cannot hold, so a name never leaves the data directory.
// A long name is cut short, so that every file name built on it fits the file system.
std::string fileNamePart(const std::string& fullName);

}  // namespace cj
