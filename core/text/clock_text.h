#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "computer.h"

namespace cj {

// "MM-DD-YYYY", month first.
std::string dateText(const LocalTime& time);

// "HH:MM:SS", 24-hour clock.
std::string timeText(const LocalTime& time);

// The reverse, for reading the files back: the date's or the time's fields of a text that is
// exactly such a text of a real date or time, nullopt for any other.
std::optional<LocalTime> readDateText(std::string_view text);
std::optional<LocalTime> readTimeText(std::string_view text);

}  // namespace cj
