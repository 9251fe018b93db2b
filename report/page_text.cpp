#include "page_text.h"

#include <algorithm>

#include "clock_text.h"

namespace cj::report {

namespace {

// The length of the well-formed character at the start of bytes, or 0 when there is none.
std::size_t characterLength(std::string_view bytes) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < low || at(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

std::string wellFormedUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t length = characterLength(bytes);
        out.append(length ? bytes.substr(0, length) : "\xEF\xBF\xBD");
        bytes.remove_prefix(length ? length : 1);
    }
    return out;
}

void appendEscaped(std::string& page, std::string_view utf8) {
    const auto isSpecial = [](char c) {
        return c == '&' || c == '<' || c == '>' || c == '"' || c == '\'' || c == '\r';
    };
    while (!utf8.empty()) {
        const auto special = static_cast<std::size_t>(std::find_if(utf8.begin(), utf8.end(), isSpecial) - utf8.begin());
        page.append(utf8.substr(0, special));
        if (special == utf8.size()) return;
        switch (utf8[special]) {
            case '&': page += "&amp;"; break;
            case '<': page += "&lt;"; break;
            case '>': page += "&gt;"; break;
            case '"': page += "&quot;"; break;
            case '\'': page += "&#39;"; break;
            default: break;  // CR: the page's lines end with LF alone
        }
        utf8.remove_prefix(special + 1);
    }
}

std::string monthFirst(const std::chrono::year_month_day& day) {
    LocalTime time;
    time.year = static_cast<int>(day.year());
    time.month = static_cast<int>(static_cast<unsigned>(day.month()));
    time.day = static_cast<int>(static_cast<unsigned>(day.day()));
    return dateText(time);
}

std::string yearFirst(const std::chrono::year_month_day& day) {
    const std::string text = monthFirst(day);
    return text.substr(6, 4) + "-" + text.substr(0, 5);
}

std::string clockTime(int secondsSinceMidnight) {
    LocalTime time;
    time.hour = secondsSinceMidnight / 3600;
    time.minute = secondsSinceMidnight / 60 % 60;
    time.second = secondsSinceMidnight % 60;
    return timeText(time);
}

}  // namespace cj::report
