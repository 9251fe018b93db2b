#include "file_names.h"

#include <string_view>

namespace cj {

std::string fileNamePart(const std::string& fullName) {
    constexpr std::string_view kForbidden = " \\/:*?\"<>|";
    std::string part = fullName;
    for (char& c : part) {
        if (static_cast<unsigned char>(c) < 32 || kForbidden.find(c) != std::string_view::npos) c = '_';
    }
    return part;
}

}  // namespace cj
