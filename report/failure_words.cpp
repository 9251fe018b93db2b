#include "failure_words.h"

#include "run_error.h"

namespace cj::report {

std::string failureWords(int errorNumber) {
    switch (errorNumber) {
        case kFileNotFound:
            return "it does not exist";
        case kPathNotFound:
            return "its folder does not exist";
        case kPermissionDenied:
            return "permission denied";
        case kPathFileAccessError:
            return "it is not a plain file, or is a link, or could not be opened";
        case kDeviceIoError:
            return "a disk or network error";
        case kDiskFull:
            return "the disk is full";
        case kBadFileName:
            return "its name cannot be used here";
        case kOutOfMemory:
            return "not enough memory";
        default:
            return "an unexpected failure";
    }
}

}  // namespace cj::report
