#include "fixed_texts.h"
#include "query_conversion.h"
#include "run.h"
#include "text_files.h"

namespace cj {

void Run::codeFile() {
    RunState& s = state_;
    trapped([&] {
        std::string query;
        onFiles([&] { query = readFile(locate(s.dataDir + "\\query.txt")); });
        const auto lines = splitLines(query);
        if (lines.empty()) throw RunError(kInputPastEndOfFile);
        s.codeNbr = static_cast<float>(lines.front().size());
        std::string queri;
        for (const auto& line : lines) queri += convertQueryLine(line, s.codeNbr) + kLineEnd;
        onFiles([&] { replaceFile(locate(s.dataDir + "\\queri.txt"), queri); });
    });
}

}  // namespace cj
