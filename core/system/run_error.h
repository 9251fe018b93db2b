#pragma once

#include <new>
#include <stdexcept>
#include <string>

namespace cj {

// Numbered failures, shown to the student by number so that an instructor can tell them apart.
enum ErrorNumber : int {
    kInvalidArgument = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kTypeMismatch = 13,
    kInternalError = 51,
    kBadFileName = 52,
    kFileNotFound = 53,
    kDeviceIoError = 57,
    kDiskFull = 61,
    kInputPastEndOfFile = 62,
    kPermissionDenied = 70,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
};

class RunError : public std::runtime_error {
public:
    explicit RunError(int number)
        : std::runtime_error("run error " + std::to_string(number)), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

// The number the student is shown for the exception being handled; call it only inside a
// catch block. A failure the program has no number for is an internal error.
inline int currentFailureNumber() {
    try {
        throw;
    } catch (const RunError& failure) {
        return failure.number();
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (...) {
        return kInternalError;
    }
}

}  // namespace cj
