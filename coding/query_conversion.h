#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cj {

// The lines of a text file; a line ends at CR LF, which is not part of it, and a last line
// without a line end is still a line. An empty file has no lines.
std::vector<std::string> splitLines(std::string_view fileBytes);

// One query-file line as it goes into the queri file, without its line end:
// "assign" lines as they are, "query " lines without their tag, everything through `code`.
std::string convertQueryLine(const std::string& line, float codeNbr);

}  // namespace cj
