#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace cj::report {

// What the live page is sent for one request: the whole lines of the class file that follow
// the page's place in it, as UTF-8.
struct LiveBatch {
    // Counts the times the file was cut back or replaced; a page whose reading began in an
    // earlier one starts again at the file's beginning.
    std::uint64_t reading = 0;
    // Where the lines that arrived after the view started begin.
    std::uint64_t start = 0;
    // Where the page asks next: the end of the last whole line sent.
    std::uint64_t next = 0;
    enum class File { Read, Missing, Refused } file = File::Read;
    std::vector<std::string> lines;
};

// Follows the class file as the students' programs append to it, holding no line: each request
// reads what it asks for, so the view's memory does not grow with the file. Only lines whose
// line end has arrived are sent. Safe to call from several threads.
class ClassFileWatch {
public:
    explicit ClassFileWatch(std::filesystem::path file);

    // The lines from the page's place (from) up to until, in the page's reading; a page
    // without a place, or of an earlier reading, gets the lines from this reading's start.
    LiveBatch linesFrom(std::optional<std::uint64_t> reading, std::optional<std::uint64_t> from,
                        std::optional<std::uint64_t> until);

private:
    std::filesystem::path file_;
    std::mutex mutex_;
    std::uint64_t reading_ = 0, start_ = 0;
    std::optional<std::string> identity_;
};

// The batch as the page reads it, every text a JSON string.
std::string batchJson(const LiveBatch& batch);

}  // namespace cj::report
