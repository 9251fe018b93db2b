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
// lock stays held when a function returns or throws, or when an AppendFile goes.
//
// Every file is opened without following a symbolic link (or, on Windows, a junction or mount
// point) in its last component and without waiting on it, and must turn out to be a regular
// file: anything else that someone planted under the name (a link, a FIFO, a folder, a device)
// throws RunError(kPathFileAccessError), with nothing read and nothing written. A file whose data
// a filter keeps (a cloud placeholder, a deduplicated or tiered file) is a regular file.

// What tells one file from every other while it exists, whatever its name: the device and inode
// number on POSIX, the volume serial number and file index on Windows.
struct FileIdentity {
    std::uint64_t volume = 0, index = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// A place in one file: where bytes were appended, or are about to be.
struct FilePlace {
    FileIdentity file;
    std::uint64_t at = 0;
};

// A file opened for the run's appends. Many programs may append to one file at once (the whole
// class to the class file, one student running twice to their own): each append happens while
// its program holds an exclusive lock on the one byte at kLockOffset, far past any data, so that
// readers of the file are never blocked. Where the file system keeps no locks, appends go ahead
// without one, and nothing is ever cut back. The lock goes, and the file closes, with the object.
class AppendFile {
public:
    enum class Missing { Create, Absent };
    // Opens the file for reading and appending; a missing one is created, or else, with
    // Missing::Absent, leaves the object closed. A missing folder counts as a missing file.
    AppendFile(const std::filesystem::path& file, Missing missing);
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    bool isOpen() const;
    // False for a file this program may write but not read, whose bytes it then never sees.
    bool readable() const;

    // Takes the lock byte if it is free at once, and says whether it was. A file that is no
    // regular file may be refused only here, before anything is read or written.
    bool tryLock();
    // Waits for the lock byte until kLockWait has passed since the file was opened, then
    // throws RunError(kPermissionDenied). On Windows a file that another program holds without
    // sharing its writing is opened only here, as if that program held the lock byte.
    // Every operation below needs one of the two to have succeeded first.
    void lock();

    // The last bytes of the file, most of them, or all of a shorter file.
    std::string tail(std::size_t most) const;
    // The bytes from offset, most of them, or as many as the file has.
    std::string readAt(std::uint64_t offset, std::size_t most) const;
    FileIdentity identity() const;
    // Where the next byte appended lands.
    std::uint64_t length() const;
    std::string readAll() const;
    std::uint64_t links() const;
    // Linux's append-only flag, which lets no one empty the file.
    bool appendOnly() const;
    std::chrono::system_clock::time_point lastWritten() const;

    // Appends bytes at the end, counting what reached the file even when a later part fails.
    void write(std::string_view bytes);
    // Brings what was written to stable storage and ends the writing, or throws: on Linux the
    // close that reports a write lost on a share is made here. The file stays open and locked
    // for what follows.
    void finishWriting();
    // Takes back what was written since the last keep(), but only under the lock, only while
    // the file still ends with those bytes (a file that has grown past them holds a record
    // another program appended after ours), and only while the file has one link. A cut-back
    // that fails throws: the student must hear that part of a record may stand in the file.
    void takeBack();
    // What was written so far stays, whatever later fails.
    void keep();
    // Empties the file; one with more than one link throws RunError(kPathFileAccessError).
    void empty();

private:
    struct Opened;
    std::unique_ptr<Opened> opened_;
};
inline constexpr std::uint64_t kLockOffset = 0x40000000;
// Short enough that a window waiting on it is never taken for one that hangs.
inline constexpr std::chrono::seconds kLockWait{4};

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

// The bytes of the file at place, most of them; "" when no file of that identity stands there.
std::string readFileAt(const std::filesystem::path& file, const FilePlace& place, std::size_t most);

// Reads the file piece by piece, handing each piece to take as it comes, so that a file of any
// size is read in little memory.
void readFileInPieces(const std::filesystem::path& file, const std::function<void(std::string_view)>& take);

// Creates or empties the file, then writes bytes to it; one with more than one link is left as it
// is and throws RunError(kPathFileAccessError).
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
