#include "clock_text.h"

#include <chrono>
#include <cstdio>

namespace cj {

namespace {

// The number written in text[at] and the digits after it, or -1 when one of them is no digit.
int digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::string dateText(const LocalTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", time.month, time.day, time.year);
    return text;
}

// Written out by hand, as the report writes a time for every record it shows.
std::string timeText(const LocalTime& time) {
    std::string text = "00:00:00";
    const int parts[] = {time.hour, time.minute, time.second};
    for (std::size_t i = 0; i < 3; ++i) {
        text[3 * i] = static_cast<char>('0' + parts[i] / 10 % 10);
        text[3 * i + 1] = static_cast<char>('0' + parts[i] % 10);
    }
    return text;
}

std::optional<LocalTime> readDateText(std::string_view text) {
    if (text.size() != 10 || text[2] != '-' || text[5] != '-') return std::nullopt;
    LocalTime date;
    date.month = digitsAt(text, 0, 2);
    date.day = digitsAt(text, 3, 2);
    date.year = digitsAt(text, 6, 4);
    const std::chrono::year_month_day real{std::chrono::year(date.year), std::chrono::month(date.month),
                                           std::chrono::day(date.day)};
    if (date.month < 0 || date.day < 0 || date.year < 0 || !real.ok()) return std::nullopt;
    return date;
}

std::optional<LocalTime> readTimeText(std::string_view text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
    LocalTime time;
    time.hour = digitsAt(text, 0, 2);
    time.minute = digitsAt(text, 3, 2);
    time.second = digitsAt(text, 6, 2);
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59) {
        return std::nullopt;
    }
    time.secondsSinceMidnight = time.hour * 3600 + time.minute * 60 + time.second;
    return time;
}

}  // namespace cj
