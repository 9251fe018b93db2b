#include "clock_text.h"

#include <array>
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

// The numbers of "NN-NN-NNNN" or "NN:NN:NN": two digits, the separator, two digits, the
// separator, then lastDigits digits; nullopt for a text of any other form.
std::optional<std::array<int, 3>> threeNumbers(std::string_view text, char separator, std::size_t lastDigits) {
    if (text.size() != 6 + lastDigits || text[2] != separator || text[5] != separator) return std::nullopt;
    const std::array<int, 3> numbers = {digitsAt(text, 0, 2), digitsAt(text, 3, 2), digitsAt(text, 6, lastDigits)};
    if (numbers[0] < 0 || numbers[1] < 0 || numbers[2] < 0) return std::nullopt;
    return numbers;
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
    const auto numbers = threeNumbers(text, '-', 4);
    if (!numbers) return std::nullopt;
    LocalTime date;
    date.month = (*numbers)[0];
    date.day = (*numbers)[1];
    date.year = (*numbers)[2];
    const std::chrono::year_month_day real{std::chrono::year(date.year), std::chrono::month(date.month),
                                           std::chrono::day(date.day)};
    return real.ok() ? std::optional(date) : std::nullopt;
}

std::optional<LocalTime> readTimeText(std::string_view text) {
    const auto numbers = threeNumbers(text, ':', 2);
    if (!numbers || (*numbers)[0] > 23 || (*numbers)[1] > 59 || (*numbers)[2] > 59) return std::nullopt;
    LocalTime time;
    time.hour = (*numbers)[0];
    time.minute = (*numbers)[1];
    time.second = (*numbers)[2];
    time.secondsSinceMidnight = time.hour * 3600 + time.minute * 60 + time.second;
    return time;
}

}  // namespace cj
