#include "clock_text.h"

#include <cstdio>

namespace cj {

std::string dateText(const LocalTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", time.month, time.day, time.year);
    return text;
}

std::string timeText(const LocalTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

}  // namespace cj
