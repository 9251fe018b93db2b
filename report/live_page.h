#pragma once

#include <string>

namespace cj::report {

// The live view's one page, its look and its script within it; filePath names the class file
// it follows.
std::string livePage(const std::string& filePath);

}  // namespace cj::report
