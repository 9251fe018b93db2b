#pragma once

#include <string>

#include "platform.h"

namespace cj {

// "MM-DD-YYYY", month first.
std::string dateText(const LocalTime& time);

// "HH:MM:SS", 24-hour clock.
std::string timeText(const LocalTime& time);

}  // namespace cj
