#include "page_text.h"

#include <algorithm>

#include <cstdio>

#include "clock_text.h"
#include "utf8_text.h"

namespace cj::report {

namespace {

// Characters that turn the text around them, so that a name could pass for another's: shown
// as what they are.
bool turnsDirection(char32_t c) {
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F ||
           c == 0x061C;
}

bool needsCare(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'' ||
           byte == 0xC2 || byte == 0xD8 || byte == 0xE2;
}

}  // namespace

std::string wellFormedUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const Utf8Character next = utf8CharacterAt(bytes, at);
        appendUtf8(out, next.character);
        at += next.length;
    }
    return out;
}

void appendEscaped(std::string& page, std::string_view utf8) {
    while (!utf8.empty()) {
        const auto special = static_cast<std::size_t>(std::find_if(utf8.begin(), utf8.end(), needsCare) - utf8.begin());
        page.append(utf8.substr(0, special));
        if (special == utf8.size()) return;
        utf8.remove_prefix(special);
        const Utf8Character character = utf8CharacterAt(utf8, 0);
        const char32_t c = character.character;
        utf8.remove_prefix(character.length);
        switch (c) {
            case '&': page += "&amp;"; break;
            case '<': page += "&lt;"; break;
            case '>': page += "&gt;"; break;
            case '"': page += "&quot;"; break;
            case '\'': page += "&#39;"; break;
            case '\t':
            case '\n': page += static_cast<char>(c); break;
            case '\r': break;  // the page's lines end with LF alone
            default:
                if (turnsDirection(c)) {
                    char code[16];
                    std::snprintf(code, sizeof code, "[U+%04X]", static_cast<unsigned>(c));
                    page += "<span class=\"ctl\">";
                    page += code;
                    page += "</span>";
                } else if (c < 0x20) {
                    appendUtf8(page, 0x2400 + c);  // the control's own picture: NUL as a small NUL, ESC as ESC
                } else if (c == 0x7F) {
                    appendUtf8(page, 0x2421);
                } else if (c >= 0x80 && c < 0xA0) {
                    appendUtf8(page, 0xFFFD);
                } else {
                    appendUtf8(page, c);
                }
        }
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
