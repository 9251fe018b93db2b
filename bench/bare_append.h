#pragma once

#include <filesystem>
#include <string_view>

namespace cj::bench {

// What a record costs at the least: the file created when missing, the bytes appended and
// brought to stable storage, the file closed; nothing checked, nothing locked. Aborts on failure.
void bareAppend(const std::filesystem::path& file, std::string_view bytes);

}  // namespace cj::bench
