#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace cj::report {

// How many table cells a page lays out as it opens: a larger table (a term's register, the
// answers of a day of a large class) is folded, for a page that opens at once.
inline constexpr std::size_t kCellsShownAtOnce = 6000;

// An HTML page of the report, built by appending: the document around it, its texts made safe,
// its tables.
class PageWriter {
public:
    // The document's head with the report's style, and the body opened.
    explicit PageWriter(const std::string& title);
    std::string finish();

    void raw(std::string_view html) { html_ += html; }
    // Names and paths, which may come from file names that are not always UTF-8.
    void text(std::string_view utf8);
    // A student's name, kept apart from the text around it whatever its direction.
    void name(std::string_view utf8);
    // What the files hold, in their code page.
    void codePageText(std::string_view text);

    void head(std::initializer_list<std::string_view> columns, const char* tableClass = nullptr);
    void endTable() { html_ += "</tbody>\n</table>\n"; }
    void cell(std::string_view utf8, const char* cls = nullptr);
    void nameCell(std::string_view utf8);
    void number(std::uint64_t n);
    // Opens a fold and its summary, which endSummary closes: unfolded when it holds no more
    // than the page lays out at once. Printed, every fold is unfolded.
    void fold(std::size_t cells, const std::string& id = "");
    void endSummary() { html_ += "</summary>\n"; }
    void endFold() { html_ += "</details>\n"; }

private:
    std::string html_;
};

}  // namespace cj::report
