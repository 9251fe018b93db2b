#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace cj::report {

// The class file, opened for reading alone while the students' programs append to it: it shares
// reading, writing and deleting with them, takes no lock, does not follow a link in its last
// component, and is closed again when the object goes. One implementation per system.
class ReadOnlyFile {
public:
    enum class State { Open, Missing, Refused };

    explicit ReadOnlyFile(const std::filesystem::path& file);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Refused: a link, a folder, anything but a regular file, or a file that cannot be read.
    State state() const { return state_; }
    // Tells this file from another that later takes its name; only while Open.
    const std::string& identity() const { return identity_; }
    std::uint64_t size() const { return size_; }
    // Up to most bytes from offset on; fewer at the end of the file.
    std::string read(std::uint64_t offset, std::size_t most) const;

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    State state_ = State::Missing;
    std::string identity_;
    std::uint64_t size_ = 0;
};

}  // namespace cj::report
