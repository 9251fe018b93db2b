#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cj {

// UTF-8, in which file names carry a student's name as it was typed.

void appendUtf8(std::string& out, char32_t character);

struct Utf8Character {
    char32_t character;
    std::size_t length;  // in bytes
};

// The character that starts at byte `at`; a byte that starts no well-formed character stands
// alone, as U+FFFD.
Utf8Character utf8CharacterAt(std::string_view text, std::size_t at);


}  // namespace cj
