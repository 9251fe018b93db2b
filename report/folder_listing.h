#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace cj::report {

// What stands under a name, told without following a link; one implementation per system.
enum class EntryKind { File, Folder, Other };

struct FolderEntry {
    std::filesystem::path path;
    std::string name;  // UTF-8
    EntryKind kind;
};

// Throw RunError with the number the student program would show.
EntryKind entryKindOf(const std::filesystem::path& path);
std::vector<FolderEntry> listFolder(const std::filesystem::path& folder);

}  // namespace cj::report
