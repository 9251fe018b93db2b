#include <sys/stat.h>

#include "report_files.h"

namespace cj::report {

// Read back from the mask, which cannot be read without being set: the program makes no other
// file meanwhile.
void giveUsualPermissions(const std::filesystem::path& file) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(file.c_str(), 0666 & ~mask);
}

}  // namespace cj::report
