#include "query_conversion.h"

#include "ascii_case.h"
#include "line_coding.h"

namespace cj {

namespace {

std::string lineTag(const std::string& line) { return asciiLowerCase(line.substr(0, 6)); }

}  // namespace

std::vector<std::string> splitLines(std::string_view fileBytes) {
    std::vector<std::string> lines;
    while (!fileBytes.empty()) {
        const auto end = fileBytes.find("\r\n");
        lines.emplace_back(fileBytes.substr(0, end));
        if (end == std::string_view::npos) break;
        fileBytes.remove_prefix(end + 2);
    }
    return lines;
}

std::string convertQueryLine(const std::string& line, float codeNbr) {
    const std::string tag = lineTag(line);
    if (tag == "assign") return line;
    if (tag == "query ") return "query" + code(line.size() > 7 ? line.substr(7) : std::string(), codeNbr);
    return code(line, codeNbr);
}

}  // namespace cj
