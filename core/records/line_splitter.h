#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace cj {

// Cuts bytes that arrive in pieces into the lines they hold, each ending at LF; a CR right
// before the LF is no part of the line. A line longer than largest keeps only its first
// largest bytes and is marked overlong, so that no file, however large, is held whole.
class LineSplitter {
public:
    struct Line {
        std::string text;
        std::uint64_t number = 0;  // counted from 1
        bool overlong = false;
    };

    LineSplitter(std::uint64_t largest, std::function<void(Line)> take);

    void add(std::string_view piece);
    // The last line, when the bytes do not end with a line end.
    void finish();

private:
    void endLine();

    std::uint64_t largest_;
    std::function<void(Line)> take_;
    Line line_;
};

}  // namespace cj
