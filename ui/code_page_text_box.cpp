#include "code_page_text_box.h"

#include <QScopedValueRollback>
#include <QTextCursor>
#include <algorithm>

#include "code_page_text.h"
#include "controls.h"

namespace cj::ui {

CodePageTextBox::CodePageTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setFont(qFontOf(form::kLargeBoxFont));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int charsAdded) { keepToCodePage(position, charsAdded); });
}

std::string CodePageTextBox::codePageText() const {
    // toPlainText would turn no-break spaces into blanks; the raw text keeps every character.
    if (!text_) text_ = toCodePage(document()->toRawText());
    return *text_;
}

void CodePageTextBox::setCodePageText(const std::string& text) {
    // The answer prompt is put back on every unanswered step; laying it out again changes nothing.
    if (text_ && *text_ == text) return;
    {
        const QScopedValueRollback writing(writing_, true);
        setPlainText(toQString(text));
    }
    text_ = text;
}

void CodePageTextBox::appendCodePageText(const std::string& text) {
    {
        const QScopedValueRollback writing(writing_, true);
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.insertText(toQString(text));
    }
    if (text_) *text_ += text;
}

void CodePageTextBox::keepToCodePage(int position, int charsAdded) {
    if (writing_) return;
    text_.reset();
    // The document's closing separator can be counted in the change, but cannot be selected.
    const int end = std::min(position + charsAdded, document()->characterCount() - 1);
    if (end <= position) return;
    QTextCursor added(document());
    added.setPosition(position);
    added.setPosition(end, QTextCursor::KeepAnchor);
    const QString typed = added.selectedText();
    const QString fitted = fittedToCodePage(typed);
    if (fitted == typed) return;
    const QScopedValueRollback writing(writing_, true);
    added.insertText(fitted);
}

}  // namespace cj::ui
