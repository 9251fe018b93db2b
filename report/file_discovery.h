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
// their paths, each once, and a file with the same bytes as another of its name and kind
// once. An input that is a link is followed; links within folders are not, and they, what is
// neither a plain file nor a folder, a copy, a file whose name is not the program's and a
// folder that cannot be read are passed over with a warning.
std::vector<FoundFile> findFiles(const std::vector<std::filesystem::path>& inputs, const Warn& warn);

// What a path named on the command line stands for: the target of a link, or else itself.
// Throws RunError for a link to nothing.
std::filesystem::path followed(const std::filesystem::path& input);

// The kind of a file by its name, or nothing for a name the student program does not give. A
// copy's name ("x - Copy.txt", "x (1).txt") names the same student.
std::optional<FoundFile> recognize(const std::filesystem::path& path, const std::string& name);

}  // namespace cj::report
