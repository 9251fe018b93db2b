#include <clocale>
#include <cstdlib>
#include <optional>

#include "turkish_locale.h"

namespace cj::test {

// Generated from the sources in Debian's locales package, so no system-wide locale is needed.
bool setTurkishLocale(const std::filesystem::path& folder) {
    const std::string name = "tr_TR.ISO-8859-9";
    const std::string command = "localedef -i tr_TR -f ISO-8859-9 '" + (folder / name).string() + "' >/dev/null 2>&1";
    // localedef may warn with a non-zero status and still write the locale: setlocale decides.
    [[maybe_unused]] const int ignored = std::system(command.c_str());

    std::optional<std::string> locPath;
    if (const char* value = std::getenv("LOCPATH")) locPath = value;
    setenv("LOCPATH", folder.c_str(), 1);
    const bool set = std::setlocale(LC_ALL, name.c_str()) != nullptr;
    // The locale is loaded now; nothing later needs the folder.
    if (locPath) {
        setenv("LOCPATH", locPath->c_str(), 1);
    } else {
        unsetenv("LOCPATH");
    }
    return set;
}

}  // namespace cj::test
