#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "folder_listing.h"
#include "run_error.h"
#include "text_files.h"

namespace cj::report {

namespace {

EntryKind kindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return EntryKind::File;
    return S_ISDIR(mode) ? EntryKind::Folder : EntryKind::Other;
}

}  // namespace

EntryKind entryKindOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) throw RunError(errorNumberOf(errno, true));
    return kindOfMode(status.st_mode);
}

std::vector<FolderEntry> listFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) throw RunError(errorNumberOf(errno, true));
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::fdopendir(fd), ::closedir);
    if (!listing) {
        const int error = errno;
        ::close(fd);
        throw RunError(errorNumberOf(error, true));
    }
    std::vector<FolderEntry> entries;
    errno = 0;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat status {};
        const bool known = ::fstatat(fd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0;
        entries.push_back({folder / name, name, known ? kindOfMode(status.st_mode) : EntryKind::Other});
        errno = 0;
    }
    if (errno != 0) throw RunError(errorNumberOf(errno, true));
    return entries;
}

}  // namespace cj::report
