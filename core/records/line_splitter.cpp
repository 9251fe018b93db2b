#include "line_splitter.h"

#include <algorithm>
#include <utility>

namespace cj {

LineSplitter::LineSplitter(std::uint64_t largest, std::function<void(Line)> take)
    : largest_(largest), take_(std::move(take)) {
    line_.number = 1;
}

void LineSplitter::add(std::string_view piece) {
    while (!piece.empty()) {
        const std::size_t end = std::min(piece.find('\n'), piece.size());
        const std::size_t room = line_.text.size() < largest_ ? largest_ - line_.text.size() : 0;
        line_.text.append(piece.substr(0, std::min<std::uint64_t>(end, room)));
        if (end > room) line_.overlong = true;
        if (end == piece.size()) return;
        endLine();
        piece.remove_prefix(end + 1);
    }
}

void LineSplitter::finish() {
    if (!line_.text.empty() || line_.overlong) endLine();
}

void LineSplitter::endLine() {
    if (!line_.overlong && !line_.text.empty() && line_.text.back() == '\r') line_.text.pop_back();
    const std::uint64_t next = line_.number + 1;
    take_(std::exchange(line_, Line{}));
    line_.number = next;
}

}  // namespace cj
