#pragma once

#include <string>

namespace cj {

// The class-wide file every response goes to, on the network drive.
inline const std::string kClassFileName = "responses.txt";
inline const std::string kClassFile = "i:\\" + kClassFileName;

inline const std::string kLineEnd = "\r\n";

}  // namespace cj
