#include "class_list.h"

#include <algorithm>
#include <stdexcept>

#include "ascii_case.h"
#include "code_page.h"
#include "failure_words.h"
#include "file_discovery.h"
#include "file_names.h"
#include "page_text.h"
#include "path_text.h"
#include "run_error.h"
#include "text_files.h"

namespace cj::report {

namespace {

// A list of names is small: anything larger is not one.
constexpr std::uint64_t kLargestList = 4 << 20;

// The name part with case, and blanks doubled or at the ends, made alike.
std::string spellingKey(const std::string& namePart) {
    std::string key;
    for (const char c : asciiLowerCase(namePart)) {
        if (c == '_' && (key.empty() || key.back() == '_')) continue;
        key += c;
    }
    if (!key.empty() && key.back() == '_') key.pop_back();
    return key;
}

// One line's fields, as RFC 4180 quotes them; blanks around a field do not count.
std::vector<std::string> fieldsOf(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += c;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if ((c == ',' || c == ';' || c == '\t') && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string& field : fields) {
        field.erase(0, field.find_first_not_of(' '));
        field.erase(field.find_last_not_of(' ') + 1);
    }
    return fields;
}

}  // namespace

ClassList ClassList::read(const std::filesystem::path& file) {
    try {
        return ofText(readFile(followed(file), kLargestList));
    } catch (const RunError& failure) {
        throw std::invalid_argument("the class list " + utf8Of(file) +
                                    " could not be read: " + failureWords(failure.number()));
    }
}

ClassList ClassList::ofText(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::string utf8 = wellFormedUtf8(text) == text ? std::string(text) : toUtf8(text);
    ClassList list;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string::npos) end = utf8.size();
        std::string_view line = std::string_view(utf8).substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        std::vector<std::string> fields = fieldsOf(line);
        if (fields[0].empty() || fields[0].starts_with('#')) continue;
        if (list.students_.empty() && asciiLowerCase(fields[0]) == "name") continue;  // a spreadsheet's head row
        ListedStudent student{fields[0], fields.size() > 1 ? fields[1] : "", fileNamePart(fields[0])};
        fields.erase(fields.begin() + 1, fields.begin() + std::min<std::size_t>(fields.size(), 2));
        for (const std::string& spelling : fields) {
            if (!spelling.empty()) list.bySpelling_.emplace(spellingKey(fileNamePart(spelling)), list.students_.size());
        }
        list.students_.push_back(std::move(student));
    }
    if (list.students_.empty()) throw std::invalid_argument("the class list names no student");
    return list;
}

const ListedStudent* ClassList::find(const std::string& namePart) const {
    const auto found = bySpelling_.find(spellingKey(namePart));
    return found == bySpelling_.end() ? nullptr : &students_[found->second];
}

}  // namespace cj::report
