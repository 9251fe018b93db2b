#include "page_writer.h"

#include "code_page.h"
#include "page_style.h"
#include "page_text.h"

namespace cj::report {

namespace {

// A link to a fold unfolds it; printing unfolds them all.
constexpr const char* kFoldScript =
    "function unfold(){const t=location.hash&&document.getElementById(decodeURIComponent(location.hash.slice(1)));"
    "if(t&&t.tagName==='DETAILS')t.open=true}"
    "addEventListener('hashchange',unfold);addEventListener('DOMContentLoaded',unfold);"
    "addEventListener('beforeprint',()=>{for(const d of document.querySelectorAll('details'))d.open=true});";

}  // namespace

PageWriter::PageWriter(const std::string& title) {
    html_ +=
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<meta name=\"viewport\" "
        "content=\"width=device-width, initial-scale=1\">\n<title>";
    text(title);
    html_ += "</title>\n<style>";
    html_ += kPageStyle;
    html_ += "</style>\n<script>";
    html_ += kFoldScript;
    html_ += "</script>\n</head>\n<body>\n";
}

std::string PageWriter::finish() {
    html_ += "</body>\n</html>\n";
    return std::move(html_);
}

void PageWriter::text(std::string_view utf8) { appendEscaped(html_, wellFormedUtf8(utf8)); }

void PageWriter::name(std::string_view utf8) {
    html_ += "<bdi>";
    text(utf8);
    html_ += "</bdi>";
}

void PageWriter::codePageText(std::string_view text) { appendEscaped(html_, toUtf8(text)); }

void PageWriter::head(std::initializer_list<std::string_view> columns, const char* tableClass) {
    html_ += tableClass ? std::string("<table class=\"") + tableClass + "\">\n" : "<table>\n";
    html_ += "<thead><tr>";
    for (const std::string_view c : columns) {
        html_ += "<th>";
        html_ += c;
        html_ += "</th>";
    }
    html_ += "</tr></thead>\n<tbody>\n";
}

void PageWriter::cell(std::string_view utf8, const char* cls) {
    html_ += cls ? std::string("<td class=\"") + cls + "\">" : "<td>";
    text(utf8);
    html_ += "</td>";
}

void PageWriter::nameCell(std::string_view utf8) {
    html_ += "<td>";
    name(utf8);
    html_ += "</td>";
}

void PageWriter::fold(std::size_t cells, const std::string& id) {
    html_ += "<details";
    if (!id.empty()) html_ += " id=\"" + id + "\"";
    if (cells <= kCellsShownAtOnce) html_ += " open";
    html_ += "><summary>";
}

void PageWriter::number(std::uint64_t n) { html_ += "<td class=\"n\">" + std::to_string(n) + "</td>"; }

}  // namespace cj::report
