#include <windows.h>

#include <memory>

#include "folder_listing.h"
#include "long_path_windows.h"
#include "path_text.h"
#include "run_error.h"
#include "text_files.h"

namespace cj::report {

namespace {

// A reparse point (a link, a junction, a mount point) is never followed.
EntryKind kindOfAttributes(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Other;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Folder : EntryKind::File;
}

}  // namespace

EntryKind entryKindOf(const std::filesystem::path& path) {
    const DWORD attributes = ::GetFileAttributesW(longPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw RunError(errorNumberOf(static_cast<int>(::GetLastError()), true));
    return kindOfAttributes(attributes);
}

std::vector<FolderEntry> listFolder(const std::filesystem::path& folder) {
    if (entryKindOf(folder) != EntryKind::Folder) throw RunError(kPathFileAccessError);
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileExW((longPath(folder) + L"\\*").c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) throw RunError(errorNumberOf(static_cast<int>(::GetLastError()), true));
    const std::unique_ptr<void, BOOL (*)(HANDLE)> closer(search, ::FindClose);
    std::vector<FolderEntry> entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::filesystem::path path = folder / name;
        entries.push_back({path, utf8Of(path.filename()), kindOfAttributes(found.dwFileAttributes)});
    } while (::FindNextFileW(search, &found));
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) {
        throw RunError(errorNumberOf(static_cast<int>(error), true));
    }
    return entries;
}

}  // namespace cj::report
