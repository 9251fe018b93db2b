#include "file_names.h"

#include <string_view>

#include "code_page.h"

namespace cj {

namespace {

// A file name holds at most 255 bytes of UTF-8 on Linux and 255 UTF-16 units on Windows.
constexpr std::size_t kFileNameLimit = 255;
// The longest name built on N is the master file's, "masterFile_" + N + ".txt"; the send
// file ("send_" + month + day + N + ".txt"), the notes file and a draft file have less around N.
constexpr std::size_t kRoomForN = kFileNameLimit - std::string_view("masterFile_.txt").size();

}  // namespace

std::string fileNamePart(const std::string& fullName) {
    constexpr std::string_view kForbidden = " \\/:*?\"<>|";
    std::string part;
    // Every code-page character is one UTF-16 unit and at least one UTF-8 byte, so keeping
    // within the UTF-8 room keeps within the UTF-16 room too.
    std::size_t utf8Bytes = 0;
    for (char c : fullName) {
        if (static_cast<unsigned char>(c) < 32 || kForbidden.find(c) != std::string_view::npos) c = '_';
        utf8Bytes += toUtf8(std::string_view(&c, 1)).size();
        if (utf8Bytes > kRoomForN) break;
        part += c;
    }
    return part;
}

}  // namespace cj
