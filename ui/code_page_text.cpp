#include "code_page_text.h"

#include <QStringView>

#include "code_page.h"

namespace cj::ui {

namespace {

constexpr char32_t kLineSeparator = 0x2028;
constexpr char32_t kParagraphSeparator = 0x2029;
constexpr char32_t kUnpaired = 0xFFFD;

bool isLineBreak(char32_t c) { return c == U'\n' || c == U'\r' || c == kLineSeparator || c == kParagraphSeparator; }

// Calls visit(character, itsUtf16Units) once per character; a surrogate pair is one character.
template <typename Visit>
void forEachCharacter(QStringView text, Visit visit) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair) {
            visit(QChar::surrogateToUcs4(text[i], text[i + 1]), text.mid(i, 2));
            ++i;
        } else {
            visit(text[i].isSurrogate() ? kUnpaired : char32_t{text[i].unicode()}, text.mid(i, 1));
        }
    }
}

}  // namespace

QString toQString(const std::string& codePageText) {
    QString out;
    out.reserve(static_cast<qsizetype>(codePageText.size()));
    for (std::size_t i = 0; i < codePageText.size(); ++i) {
        if (codePageText[i] == '\r' && i + 1 < codePageText.size() && codePageText[i + 1] == '\n') {
            out += QChar(u'\n');
            ++i;
        } else {
            out += QChar(static_cast<char16_t>(unicodeOf(codePageText[i])));
        }
    }
    return out;
}

std::string toCodePage(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    bool afterCr = false;
    forEachCharacter(text, [&](char32_t c, QStringView) {
        // Qt shows CR LF as one break, so the pair must come back as one.
        if (!(c == U'\n' && afterCr)) out += isLineBreak(c) ? "\r\n" : std::string(1, codePageByteOf(c));
        afterCr = c == U'\r';
    });
    return out;
}

QString fittedToCodePage(const QString& text) {
    QString out;
    out.reserve(text.size());
    forEachCharacter(text, [&](char32_t c, QStringView units) {
        const bool fits = c == U'?' || isLineBreak(c) || codePageByteOf(c) != '?';
        if (fits) {
            out += units;
        } else {
            out += QChar(u'?');
        }
    });
    return out;
}

}  // namespace cj::ui
