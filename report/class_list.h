#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace cj::report {

// The students the instructor expects, one a line: a name, then optionally the initials, then
// any other spellings the student may type, separated by commas (a CSV a spreadsheet saves) or
// alone on the line (a text file of names). UTF-8, or else Windows-1252.
struct ListedStudent {
    std::string name, initials;  // UTF-8
    std::string key;             // the name as file names hold it
};

class ClassList {
public:
    // Throws std::invalid_argument with what is wrong with the file.
    static ClassList read(const std::filesystem::path& file);
    static ClassList ofText(std::string_view text);

    const std::vector<ListedStudent>& students() const { return students_; }
    // The listed student whose name or other spelling a file's name part gives, or nothing.
    // Case, and blanks doubled or at the ends, do not count.
    const ListedStudent* find(const std::string& namePart) const;

private:
    std::vector<ListedStudent> students_;
    std::map<std::string, std::size_t> bySpelling_;
};

}  // namespace cj::report
