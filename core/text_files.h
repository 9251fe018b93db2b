#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace cj {

// File operations for the run's records, one implementation per operating system. Every
// failure throws RunError with the number the student is shown; no file stays open and no
// lock stays held when a function returns or throws.

// Appends bytes as one whole record: they land whole and flushed to stable storage, or the
// file is cut back to the length it had, byte for byte as it was, and the failure is thrown.
// Creates the file when missing.
void appendToFile(const std::filesystem::path& file, std::string_view bytes);

// The same for the class's shared file, which many computers append to at once, over the
// network too: the length check, the write, the flush and any cut-back happen while this
// program holds an exclusive lock on the one byte at kSharedLockOffset, far past any data,
// so readers of the file are never blocked. After kSharedLockWait without the lock, throws
// RunError(kPermissionDenied). Where the file system has no locks, appends without one.
void appendToSharedFile(const std::filesystem::path& file, std::string_view bytes);
inline constexpr std::uint64_t kSharedLockOffset = 0x40000000;
inline constexpr std::chrono::seconds kSharedLockWait{5};

// Creates the file empty when missing; leaves an existing one untouched.
void createFile(const std::filesystem::path& file);

std::string readFile(const std::filesystem::path& file);

// Creates or empties the file, then writes bytes to it.
void replaceFile(const std::filesystem::path& file, std::string_view bytes);

// Replaces the file's content in one step: a crash at any moment leaves the old content or
// the new, whole, and no temporary file behind once it has returned.
void saveFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// Removes the file; one that is already gone is no failure.
void removeFile(const std::filesystem::path& file);

// The error number shown for an operating-system error code (errno, or GetLastError()).
int errorNumberOf(int systemError, bool reading);

}  // namespace cj
