#pragma once

#include <QPlainTextEdit>
#include <optional>
#include <string>

namespace cj::ui {

// A multi-line box whose text is the run's Windows-1252 text: what the student types or
// pastes is held to the code page on the spot, so the box never shows what cannot be recorded.
class CodePageTextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CodePageTextBox(QWidget* parent = nullptr);

    std::string codePageText() const;
    void setCodePageText(const std::string& text);
    void appendCodePageText(const std::string& text);

private:
    void keepToCodePage(int position, int charsAdded);

    // The exact bytes last put in, until the student edits: the document cannot tell a CR LF
    // from a lone CR or LF, and reading a large box back on every use would be slow.
    mutable std::optional<std::string> text_;
    bool writing_ = false;
};

}  // namespace cj::ui
