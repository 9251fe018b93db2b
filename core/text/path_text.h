#pragma once

#include <filesystem>
#include <string>

namespace cj {

// Paths to and from UTF-8 text, the same on every system: on Windows a path is UTF-16, and a
// plain string would be taken in the ANSI code page instead.

inline std::filesystem::path pathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace cj
