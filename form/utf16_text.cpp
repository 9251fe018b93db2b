#include "utf16_text.h"

#include "code_page.h"
#include "utf8_text.h"

namespace cj::form {

namespace {

constexpr char32_t kLineSeparator = 0x2028;
constexpr char32_t kParagraphSeparator = 0x2029;
constexpr char32_t kUnpaired = 0xFFFD;

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool isLineBreak(char32_t c) { return c == U'\n' || c == U'\r' || c == kLineSeparator || c == kParagraphSeparator; }
// No key types these into a text; they come only with a paste.
bool isControl(char32_t c) { return (c < 0x20 && c != U'\t' && !isLineBreak(c)) || (c >= 0x7F && c < 0xA0); }

// Calls visit(character, itsUtf16Units) once per character; a surrogate pair is one character.
template <typename Visit>
void forEachCharacter(std::u16string_view text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            visit(0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00), text.substr(i, 2));
            ++i;
        } else {
            const bool lone = isHighSurrogate(unit) || isLowSurrogate(unit);
            visit(lone ? kUnpaired : char32_t{unit}, text.substr(i, 1));
        }
    }
}

}  // namespace

std::u16string utf16Of(std::string_view codePageText) {
    std::u16string out;
    out.reserve(codePageText.size());
    for (const char byte : codePageText) out += static_cast<char16_t>(unicodeOf(byte));
    return out;
}

std::string codePageOf(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    forEachCharacter(text, [&](char32_t c, std::u16string_view) { out += codePageByteOf(c); });
    return out;
}

std::string codePageLinesOf(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    bool afterCr = false;
    forEachCharacter(text, [&](char32_t c, std::u16string_view) {
        if (!(c == U'\n' && afterCr)) out += isLineBreak(c) ? "\r\n" : std::string(1, codePageByteOf(c));
        afterCr = c == U'\r';
    });
    return out;
}

std::string utf8Of(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    forEachCharacter(text, [&](char32_t c, std::u16string_view) { appendUtf8(out, c); });
    return out;
}

bool fitsCodePage(char32_t character) {
    return character == U'?' || isLineBreak(character) || codePageByteOf(character) != '?';
}

std::u16string fittedToCodePage(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    forEachCharacter(text, [&](char32_t c, std::u16string_view units) {
        if (isControl(c)) return;
        if (fitsCodePage(c)) {
            out += units;
        } else {
            out += u'?';
        }
    });
    return out;
}

}  // namespace cj::form
