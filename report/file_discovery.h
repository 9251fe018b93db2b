#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "file_names.h"

namespace cj::report {

// A file of the student program's, found by its name.
struct FoundFile {
    enum class What { StudentFile, ClassFile } what;
    std::filesystem::path path;
    std::string shownPath;  // UTF-8
    StudentFileName name;   // for a student's file
};

using Warn = std::function<void(const std::string& shownPath, const std::string& what)>;

// Every file under the inputs (folders, searched with their subfolders, or files), in order of
// their paths, each once. Links are not followed, and what is neither a plain file nor a
// folder, a file whose name is not the program's and a folder that cannot be read are passed
// over with a warning.
std::vector<FoundFile> findFiles(const std::vector<std::filesystem::path>& inputs, const Warn& warn);

// The kind of a file by its name, or nothing for a name the student program does not give.
std::optional<FoundFile> recognize(const std::filesystem::path& path, const std::string& name);

}  // namespace cj::report
