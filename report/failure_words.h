#pragma once

#include <string>

namespace cj::report {

// What a failure of the file operations means, in words for the instructor.
std::string failureWords(int errorNumber);

}  // namespace cj::report
