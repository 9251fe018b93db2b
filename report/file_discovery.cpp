#include "file_discovery.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "failure_words.h"
#include "fixed_texts.h"
#include "folder_listing.h"
#include "path_text.h"
#include "run_error.h"
#include "text_files.h"

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

// Explorer's and a browser's copies ("x - Copy.txt", "x - Copy (2).txt", "x (1).txt") are the
// same student's files: the names the program gives hold no blank.
std::string withoutCopyMark(std::string namePart) {
    const auto numbered = [&] {
        const std::size_t open = namePart.rfind(" (");
        if (open == std::string::npos || !namePart.ends_with(')') || open + 3 > namePart.size() - 1) return false;
        const std::string_view digits = std::string_view(namePart).substr(open + 2, namePart.size() - open - 3);
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
        namePart.erase(open);
        return true;
    };
    numbered();
    if (namePart.ends_with(" - Copy")) namePart.erase(namePart.size() - 7);
    return namePart;
}

// A file's bytes told in 64 bits (FNV-1a), for files already alike in name and size.
std::optional<std::uint64_t> digestOf(const std::filesystem::path& file) {
    std::uint64_t digest = 0xcbf29ce484222325ull;
    try {
        readFileInPieces(file, [&](std::string_view piece) {
            for (const char c : piece) digest = (digest ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
        });
    } catch (const RunError&) {
        return std::nullopt;  // reading it again tells why
    }
    return digest;
}

// A copy of a file (a folder and the copy of it, or Explorer's "- Copy") counts once: the file
// of the shortest name, the program's own, then of the shortest path is read, and the others
// are passed over.
void passOverCopies(std::vector<FoundFile>& files, const Warn& warn) {
    using Likeness = std::tuple<FoundFile::What, StudentFileKind, std::string, std::string, std::uintmax_t>;
    std::map<Likeness, std::vector<std::size_t>> alike;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(files[i].path, error);
        if (!error)
            alike[{files[i].what, files[i].name.kind, files[i].name.monthDay, files[i].name.namePart, size}].push_back(
                i);
    }
    std::vector<bool> copy(files.size());
    for (auto& [likeness, group] : alike) {
        if (group.size() < 2) continue;
        const auto lengths = [&](std::size_t i) {
            return std::pair(files[i].path.filename().native().size(), files[i].shownPath.size());
        };
        std::stable_sort(group.begin(), group.end(),
                         [&](std::size_t a, std::size_t b) { return lengths(a) < lengths(b); });
        std::map<std::uint64_t, std::size_t> read;
        for (const std::size_t i : group) {
            const std::optional<std::uint64_t> digest = digestOf(files[i].path);
            if (!digest) continue;
            const auto [first, fresh] = read.emplace(*digest, i);
            if (fresh) continue;
            copy[i] = true;
            warn(files[i].shownPath, "the same bytes as " + files[first->second].shownPath + "; read once, there");
        }
    }
    std::size_t i = 0;
    std::erase_if(files, [&](const FoundFile&) { return copy[i++]; });
}

class Search {
public:
    explicit Search(const Warn& warn) : warn_(warn) {}

    // path: where it is opened; shownAs: as the instructor named it; place: where it is, the
    // same however it was reached.
    void visit(const std::filesystem::path& path, const std::filesystem::path& shownAs,
               const std::filesystem::path& place, const std::string& name, EntryKind kind) {
        if (kind == EntryKind::Folder) return visitFolder(path, shownAs, place);
        if (kind == EntryKind::Other) return warn_(shown(shownAs), "neither a plain file nor a folder; not followed");
        std::optional<FoundFile> file = recognize(path, name);
        if (!file) return warn_(shown(shownAs), "not a file of Class Journal; skipped");
        file->shownPath = shown(shownAs);
        if (places_.insert(place).second) found_.push_back(std::move(*file));
    }

    std::vector<FoundFile> found() {
        std::sort(found_.begin(), found_.end(),
                  [](const FoundFile& a, const FoundFile& b) { return a.shownPath < b.shownPath; });
        return std::move(found_);
    }

private:
    void visitFolder(const std::filesystem::path& folder, const std::filesystem::path& shownAs,
                     const std::filesystem::path& place) {
        if (!places_.insert(place).second) return;
        std::vector<FolderEntry> entries;
        try {
            entries = listFolder(folder);
        } catch (const RunError& failure) {
            return warn_(shown(shownAs), "folder could not be read: " + failureWords(failure.number()));
        }
        std::sort(entries.begin(), entries.end(),
                  [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
        for (const FolderEntry& entry : entries) {
            const std::filesystem::path name = entry.path.filename();
            visit(entry.path, shownAs / name, place / name, entry.name, entry.kind);
        }
    }

    const Warn& warn_;
    std::vector<FoundFile> found_;
    std::set<std::filesystem::path> places_;
};

}  // namespace

std::filesystem::path followed(const std::filesystem::path& input) {
    std::error_code error;
    if (!std::filesystem::is_symlink(input, error)) return input;
    std::filesystem::path target = std::filesystem::canonical(input, error);
    if (error) throw RunError(kFileNotFound);
    return target;
}

std::optional<FoundFile> recognize(const std::filesystem::path& path, const std::string& name) {
    if (name == kClassFileName) return FoundFile{FoundFile::What::ClassFile, path, shown(path), {}};
    std::optional<StudentFileName> student = readStudentFileName(name);
    if (!student) return std::nullopt;
    student->namePart = withoutCopyMark(std::move(student->namePart));
    return FoundFile{FoundFile::What::StudentFile, path, shown(path), std::move(*student)};
}

std::vector<FoundFile> findFiles(const std::vector<std::filesystem::path>& inputs, const Warn& warn) {
    Search search(warn);
    for (const std::filesystem::path& input : inputs) {
        try {
            // A link the instructor names is meant: it is followed, and shown by its own name.
            const std::filesystem::path path = followed(input);
            search.visit(path, input, placeOf(path), utf8Of(path.filename()), entryKindOf(path));
        } catch (const RunError& failure) {
            warn(shown(input), "could not be read: " + failureWords(failure.number()));
        }
    }
    std::vector<FoundFile> found = search.found();
    passOverCopies(found, warn);
    return found;
}

}  // namespace cj::report
