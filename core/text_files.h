#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace cj {

// File operations for the run's records. Every failure throws RunError with the number
// the student is shown; no file stays open when a function returns or throws.

// Appends bytes with a single write, so that students appending to one shared file at once
// never interleave inside a record, and flushes them to stable storage before closing.
// Creates the file when missing.
void appendToFile(const std::filesystem::path& file, std::string_view bytes);

// Creates the file empty when missing; leaves an existing one untouched.
void createFile(const std::filesystem::path& file);

std::string readFile(const std::filesystem::path& file);

// Creates or empties the file, then writes bytes to it.
void replaceFile(const std::filesystem::path& file, std::string_view bytes);

// The error number shown for an operating-system error code.
int errorNumberOf(int systemError, bool reading);

}  // namespace cj
