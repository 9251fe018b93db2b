#pragma once

#include <string>

namespace cj {

// Lower case that is the same on every computer: A to Z become a to z and no other byte
// changes, whatever the process's locale (a Turkish one turns I into a dotless i).
char asciiLower(char c);
std::string asciiLowerCase(std::string text);

}  // namespace cj
