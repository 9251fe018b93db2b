#include <clocale>

#include "turkish_locale.h"

namespace cj::test {

// Windows has its locales built in.
bool setTurkishLocale(const std::filesystem::path& /*folder*/) {
    return std::setlocale(LC_ALL, "Turkish_Turkey.1254") != nullptr;
}

}  // namespace cj::test
