#include "report_files.h"

namespace cj::report {

// A new file takes its folder's permissions already.
void giveUsualPermissions(const std::filesystem::path&) {}

}  // namespace cj::report
