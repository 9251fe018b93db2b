#pragma once

#include <string>

namespace cj::report {

// What the live view needs of the operating system; one implementation per system.

// From its making on, the interruptions that end the program (Ctrl+C, the console or terminal
// closed, a request to end) no longer end it at once: wait() returns on the first of them, so
// that the program can end cleanly. Made before any other thread starts.
class Interruption {
public:
    Interruption();
    void wait();
};

// Opens the address in the user's default browser, without waiting for it; false when no
// browser could be asked.
bool openInBrowser(const std::string& address);

}  // namespace cj::report
