#pragma once

#include <string>
#include <string_view>

namespace cj {

// Windows-1252, the code page of every text the program stores.

char32_t unicodeOf(char codePageByte);

// The code-page byte of a character, or '?' for a character the code page cannot hold.
char codePageByteOf(char32_t character);

std::string toUtf8(std::string_view codePageText);
// UTF-8 character for character in the code page; one that it lacks becomes "?".
std::string codePageOfUtf8(std::string_view text);

}  // namespace cj
