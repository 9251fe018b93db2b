#include "code_page.h"

#include <algorithm>
#include <array>

#include "utf8_text.h"

namespace cj {

namespace {

// 0x80 to 0x9F; the five codes Windows leaves unassigned map to the C1 control of the same value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char32_t unicodeOf(char codePageByte) {
    const auto b = static_cast<unsigned char>(codePageByte);
    return b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char32_t{b};
}

char codePageByteOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<char>(character);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == character) return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string toUtf8(std::string_view codePageText) {
    std::string out;
    out.reserve(codePageText.size());
    // Most text is ASCII, which stays as it is: it is copied a run at a time.
    while (!codePageText.empty()) {
        const auto high = std::find_if(codePageText.begin(), codePageText.end(),
                                       [](char b) { return static_cast<unsigned char>(b) >= 0x80; });
        const auto ascii = static_cast<std::size_t>(high - codePageText.begin());
        out.append(codePageText.substr(0, ascii));
        if (ascii == codePageText.size()) break;
        appendUtf8(out, unicodeOf(codePageText[ascii]));
        codePageText.remove_prefix(ascii + 1);
    }
    return out;
}

std::string codePageOfUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Character next = utf8CharacterAt(text, at);
        out += codePageByteOf(next.character);
        at += next.length;
    }
    return out;
}

}  // namespace cj
