#pragma once

#include <ctime>

namespace cj {

// The calendar date and time of a moment on this computer's clock, in its own time zone.
std::tm localCalendarTime(std::time_t moment);

}  // namespace cj
