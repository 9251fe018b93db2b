#pragma once

#include <filesystem>
#include <string>

#include "fakes.h"

namespace cj::test {

// Puts the whole process under Turkish in its 8-bit form, where the C library lower-cases
// "I" to the dotless i (0xFD), and back to the previous locale when it goes.
class TurkishLocale {
public:
    TurkishLocale();
    ~TurkishLocale();
    TurkishLocale(const TurkishLocale&) = delete;
    TurkishLocale& operator=(const TurkishLocale&) = delete;

    // Empty when the locale is in force; otherwise why it could not be had.
    const std::string& unavailable() const { return unavailable_; }

private:
    TempDir folder_;
    std::string previousLocale_;
    std::string unavailable_;
};

// Sets the Turkish 8-bit locale for the whole process, generating it in folder where the system
// needs that; false where it cannot be had. One source file per system.
bool setTurkishLocale(const std::filesystem::path& folder);

}  // namespace cj::test
