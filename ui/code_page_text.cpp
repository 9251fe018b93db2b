#include "code_page_text.h"

#include "code_page.h"
#include "utf16_text.h"

namespace cj::ui {

namespace {

std::u16string_view utf16Of(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString fromUtf16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
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

std::string toCodePage(const QString& text) { return form::codePageLinesOf(utf16Of(text)); }

TypedAnswer typedAnswerOf(const QString& text) { return {toCodePage(text), form::utf8Of(utf16Of(text))}; }

QString fittedToCodePage(const QString& text) { return fromUtf16(form::fittedToCodePage(utf16Of(text))); }

}  // namespace cj::ui
