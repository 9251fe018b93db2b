#include "file_discovery.h"

#include <algorithm>
#include <set>

#include "fixed_texts.h"
#include "folder_listing.h"
#include "path_text.h"
#include "run_error.h"

namespace cj::report {

namespace {

std::string shown(const std::filesystem::path& path) { return utf8Of(path.lexically_normal()); }

// The input's own place, to know one found twice: its folder made whole, and its name, which
// is not followed should it be a link.
std::filesystem::path placeOf(const std::filesystem::path& input) {
    std::filesystem::path path = std::filesystem::absolute(input).lexically_normal();
    if (path.filename().empty()) path = path.parent_path();
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::weakly_canonical(path.parent_path(), error);
    return error ? path : folder / path.filename();
}

class Search {
public:
    explicit Search(const Warn& warn) : warn_(warn) {}

    // path: as shown; place: where it is, the same however it was reached.
    void visit(const std::filesystem::path& path, const std::filesystem::path& place, const std::string& name,
               EntryKind kind) {
        if (kind == EntryKind::Folder) return visitFolder(path, place);
        if (kind == EntryKind::Other) return warn_(shown(path), "neither a plain file nor a folder; not followed");
        std::optional<FoundFile> file = recognize(path, name);
        if (!file) return warn_(shown(path), "not a file of Class Journal; skipped");
        if (places_.insert(place).second) found_.push_back(std::move(*file));
    }

    std::vector<FoundFile> found() {
        std::sort(found_.begin(), found_.end(),
                  [](const FoundFile& a, const FoundFile& b) { return a.shownPath < b.shownPath; });
        return std::move(found_);
    }

private:
    void visitFolder(const std::filesystem::path& folder, const std::filesystem::path& place) {
        if (!places_.insert(place).second) return;
        std::vector<FolderEntry> entries;
        try {
            entries = listFolder(folder);
        } catch (const RunError& failure) {
            return warn_(shown(folder), "folder could not be read (error " + std::to_string(failure.number()) + ")");
        }
        std::sort(entries.begin(), entries.end(),
                  [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
        for (const FolderEntry& entry : entries)
            visit(entry.path, place / entry.path.filename(), entry.name, entry.kind);
    }

    const Warn& warn_;
    std::vector<FoundFile> found_;
    std::set<std::filesystem::path> places_;
};

}  // namespace

std::optional<FoundFile> recognize(const std::filesystem::path& path, const std::string& name) {
    if (name == kClassFileName) return FoundFile{FoundFile::What::ClassFile, path, shown(path), {}};
    std::optional<StudentFileName> student = readStudentFileName(name);
    if (!student) return std::nullopt;
    return FoundFile{FoundFile::What::StudentFile, path, shown(path), std::move(*student)};
}

std::vector<FoundFile> findFiles(const std::vector<std::filesystem::path>& inputs, const Warn& warn) {
    Search search(warn);
    for (const std::filesystem::path& input : inputs) {
        try {
            search.visit(input, placeOf(input), utf8Of(input.filename()), entryKindOf(input));
        } catch (const RunError& failure) {
            warn(shown(input), "could not be read (error " + std::to_string(failure.number()) + ")");
        }
    }
    return search.found();
}

}  // namespace cj::report
