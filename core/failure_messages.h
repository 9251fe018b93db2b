#pragma once

#include <string>

namespace cj {

// The message the student sees for a failure with this number.
std::string failureMessage(int errorNumber);

}  // namespace cj
