#pragma once

#include <filesystem>
#include <string>

namespace cj {

// The name to hand Windows for file: made absolute, with the \\?\ prefix (\\?\UNC\ for a
// share), so that no name the program builds meets the MAX_PATH limit. A name that already
// carries the prefix, or names a device (\\.\), is given as it is.
std::wstring longPath(const std::filesystem::path& file);

}  // namespace cj
