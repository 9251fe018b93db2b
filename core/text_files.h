#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace cj {

// File operations for the run's records, one implementation per operating system. Every
// failure throws RunError with the number the student is shown; no file stays open and no
// lock stays held when a function returns or throws.
//
// Every file is opened without following a symbolic link (or, on Windows, a junction or mount
// point) in its last component and without waiting on it, and must turn out to be a regular
// file: anything else that someone planted under the name (a link, a FIFO, a folder, a device)
// throws RunError(kPathFileAccessError), with nothing read and nothing written. A file whose data
// a filter keeps (a cloud placeholder, a deduplicated or tiered file) is a regular file.

// Appends bytes as one whole record: they land whole and flushed to stable storage, or the
// failure is thrown with the file as it was. Creates the file when missing.
//
// Many programs may append to one file at once (the whole class to the shared file, one
// student running twice to their own): the length check, the write, the flush and any
// cut-back happen while this program holds an exclusive lock on the one byte at kLockOffset,
// far past any data, so readers of the file are never blocked. After kLockWait without the
// lock (or, on Windows, with the file held by a program that shares no writing), throws
// RunError(kPermissionDenied) with nothing written. A failed write is cut back only under the
// lock, and only while the file's length is still what was noted plus what this append wrote,
// so a record that another program appended is never cut; where the file system keeps no
// locks, the append goes ahead without one and a failure is reported without a cut-back.
void appendToFile(const std::filesystem::path& file, std::string_view bytes);
inline constexpr std::uint64_t kLockOffset = 0x40000000;
// Short enough that a window waiting on it is never taken for one that hangs.
inline constexpr std::chrono::seconds kLockWait{4};

// Appends what the outbox holds, then bytes, to file as one whole record, and empties the
// outbox, both under their locks: the outbox's for the whole delivery, so that a line another
// program adds to it meanwhile waits and is never lost. An outbox missing from a folder that
// exists holds nothing and is not created. On any failure, the emptying included, file is cut back as appendToFile would,
// the outbox keeps its lines, and the failure is thrown. Only a crash between the flush of file
// and the emptying of the outbox can deliver its lines twice; none is ever lost.
void appendAfterOutbox(const std::filesystem::path& outbox, const std::filesystem::path& file,
                       std::string_view bytes);

// An exclusive lock on one byte of a file, held for as long as the object lives, by which a
// program shows others something that lasts, such as its hold on a student's name.
class HeldLock {
public:
    // Tries once, without waiting; creates the file when missing and never writes it. Where the
    // file system keeps no locks, the lock counts as taken.
    static HeldLock tryToTake(const std::filesystem::path& file, std::uint64_t offset);

    HeldLock();
    HeldLock(HeldLock&&) noexcept;
    HeldLock& operator=(HeldLock&&) noexcept;
    ~HeldLock();

    // False when another program, or another lock of this one, holds the byte.
    bool held() const { return open_ != nullptr; }

private:
    struct Open;
    std::unique_ptr<Open> open_;
};

// Creates the file empty when missing; leaves an existing one untouched.
void createFile(const std::filesystem::path& file);

// The file's bytes; a file longer than largest is not read and throws RunError(kPathFileAccessError).
std::string readFile(const std::filesystem::path& file,
                     std::uint64_t largest = std::numeric_limits<std::uint64_t>::max());

// Reads the file piece by piece, handing each piece to take as it comes, so that a file of any
// size is read in little memory.
void readFileInPieces(const std::filesystem::path& file, const std::function<void(std::string_view)>& take);

// Creates or empties the file, then writes bytes to it.
void replaceFile(const std::filesystem::path& file, std::string_view bytes);

// Replaces the file's content in one step: a crash at any moment leaves the old content or
// the new, whole. Writes first to a temporary file beside it, named file + "." and six more
// characters (kTemporarySuffixLength in all), which is gone once this returns or throws. On
// Windows, a file that another program holds open is waited for a short while. A file that can
// be made again (Durability::Replaceable) is left to reach the disk when the system writes it,
// which a reader never waits for; a crash may then leave the old content.
enum class Durability { Flushed, Replaceable };
void saveFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                        Durability durability = Durability::Flushed);
inline constexpr std::size_t kTemporarySuffixLength = 7;

// Removes the temporary files that saveFileAtomically left beside file in a process that was
// killed before it could remove them: those last written before since.
void removeLeftoverTemporaries(const std::filesystem::path& file, std::chrono::system_clock::time_point since);

// Removes the file; one that is already gone is no failure.
void removeFile(const std::filesystem::path& file);

// When the file was last written.
std::chrono::system_clock::time_point lastWriteTime(const std::filesystem::path& file);

// The error number shown for an operating-system error code (errno, or GetLastError()).
int errorNumberOf(int systemError, bool reading);

}  // namespace cj
