#include "live_watch.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "code_page.h"
#include "line_splitter.h"
#include "live_file.h"

namespace cj::report {

namespace {

constexpr std::size_t kPiece = 64 * 1024;
// A request's share: enough for a whole class at once, little enough to answer at once.
constexpr std::size_t kMostLines = 500;
// A line longer than a wall can show is cut, and says so.
constexpr std::uint64_t kLongestShown = 4000;

// Where the line that holds the byte before end begins: past the last line end before it.
std::uint64_t lineStartBefore(const ReadOnlyFile& file, std::uint64_t end) {
    while (end > 0) {
        const std::uint64_t from = end > kPiece ? end - kPiece : 0;
        const std::string piece = file.read(from, static_cast<std::size_t>(end - from));
        if (const std::size_t lineEnd = piece.rfind('\n'); lineEnd != std::string::npos) return from + lineEnd + 1;
        end = from;
    }
    return 0;
}

// A place the page was sent stays the start of a line until the file is cut back under it.
bool startsLine(const ReadOnlyFile& file, std::uint64_t offset) {
    return offset == 0 || (offset <= file.size() && file.read(offset - 1, 1) == "\n");
}

void appendJsonString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F || c == '<' || c == '>' || c == '&') {
            // Markup characters too, so that the text stays text wherever the JSON lands.
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace

ClassFileWatch::ClassFileWatch(std::filesystem::path file) : file_(std::move(file)) {
    const ReadOnlyFile opened(file_);
    if (opened.state() != ReadOnlyFile::State::Open) return;
    identity_ = opened.identity();
    // A line a program is writing as the view starts is one that arrives after it.
    start_ = lineStartBefore(opened, opened.size());
}

LiveBatch ClassFileWatch::linesFrom(std::optional<std::uint64_t> reading, std::optional<std::uint64_t> from,
                                    std::optional<std::uint64_t> until) {
    const std::lock_guard lock(mutex_);
    const ReadOnlyFile opened(file_);
    LiveBatch batch;
    const bool placed = reading == reading_ && from;
    if (opened.state() != ReadOnlyFile::State::Open) {
        // Whatever takes the name next is another file, even where it gets the same number.
        if (identity_) identity_ = std::string();
        batch.file = opened.state() == ReadOnlyFile::State::Missing ? LiveBatch::File::Missing
                                                                     : LiveBatch::File::Refused;
        batch.reading = reading_;
        batch.start = start_;
        batch.next = placed ? *from : start_;
        return batch;
    }
    // A file that appears after the view started is new from its first line.
    if (!identity_) identity_ = opened.identity();
    if (opened.identity() != *identity_ || !startsLine(opened, start_) || (placed && !startsLine(opened, *from))) {
        ++reading_;
        start_ = 0;
        identity_ = opened.identity();
    }
    batch.reading = reading_;
    batch.start = start_;
    const std::uint64_t at = reading == reading_ && from ? *from : start_;
    const std::uint64_t end = std::min(opened.size(), until.value_or(std::numeric_limits<std::uint64_t>::max()));
    batch.next = at;

    LineSplitter lines(kLongestShown, [&](LineSplitter::Line line) {
        batch.lines.push_back(toUtf8(line.text) + (line.overlong ? "\u2026" : ""));
    });
    // Bytes past the last line end stay in the splitter, unsent: their line end has not come.
    for (std::uint64_t position = at; position < end && (batch.lines.size() < kMostLines || batch.next == at);) {
        const std::string piece = opened.read(position, static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, end - position)));
        if (piece.empty()) break;
        if (const std::size_t lineEnd = piece.rfind('\n'); lineEnd != std::string::npos) batch.next = position + lineEnd + 1;
        lines.add(piece);
        position += piece.size();
    }
    return batch;
}

std::string batchJson(const LiveBatch& batch) {
    static constexpr const char* kFile[] = {"read", "missing", "refused"};
    std::string json = "{\"reading\":" + std::to_string(batch.reading) + ",\"start\":" + std::to_string(batch.start) +
                       ",\"next\":" + std::to_string(batch.next) + ",\"file\":\"" +
                       kFile[static_cast<int>(batch.file)] + "\",\"lines\":[";
    for (std::size_t i = 0; i < batch.lines.size(); ++i) {
        if (i) json += ',';
        appendJsonString(json, batch.lines[i]);
    }
    return json + "]}";
}

}  // namespace cj::report
