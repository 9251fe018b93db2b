#include "turkish_locale.h"

#include <cctype>
#include <clocale>

namespace cj::test {

TurkishLocale::TurkishLocale() : previousLocale_(std::setlocale(LC_ALL, nullptr)) {
    if (!setTurkishLocale(folder_.path())) {
        unavailable_ = "no Turkish 8-bit locale can be had here";
    } else if (volatile int capitalI = 'I'; std::tolower(capitalI) != 0xFD) {
        // volatile: GCC folds tolower of a constant as if under the C locale
        unavailable_ = "the Turkish locale here does not turn I into the dotless i";
    }
}

TurkishLocale::~TurkishLocale() { std::setlocale(LC_ALL, previousLocale_.c_str()); }

}  // namespace cj::test
