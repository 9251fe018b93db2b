#include "appends.h"

#include <algorithm>
#include <string>

#include "fixed_texts.h"
#include "record_layouts.h"

namespace cj {

namespace {

// A kill between two writes leaves whole lines; one within a write of a page or less rarely
// tears it. A record is mostly one write.
constexpr std::size_t kPiece = 4096;

// How the send file and the notes file may end: after a notes record.
const std::string kRecordEnd = "\n" + kDotLine + kPrintZoneAdvance;

// The first piece of bytes: whole lines, up to a page, or a longer line alone.
std::size_t pieceOf(std::string_view bytes) {
    if (bytes.size() <= kPiece) return bytes.size();
    std::size_t end = bytes.rfind('\n', kPiece - 1);
    if (end == std::string_view::npos) end = bytes.find('\n');
    return end == std::string_view::npos ? bytes.size() : end + 1;
}

}  // namespace

std::string_view lineEndMissing(std::string_view text) {
    if (text.empty() || text.back() == '\n') return "";
    return text.back() == '\r' ? std::string_view("\n") : std::string_view(kLineEnd);
}

void endTornTail(AppendFile& file, Ends ends) {
    // A file the program may not read is appended to as it is.
    if (!file.readable()) return;
    const std::string tail = file.tail(kRecordEnd.size());
    const std::string_view lineEnd = lineEndMissing(tail);
    if (!lineEnd.empty() && (ends == Ends::AtLineEnd || !tail.ends_with(kRecordEnd))) file.write(lineEnd);
}

void writeWhole(AppendFile& file, std::string_view bytes) {
    try {
        while (!bytes.empty()) {
            const std::size_t piece = pieceOf(bytes);
            file.write(bytes.substr(0, piece));
            bytes.remove_prefix(piece);
        }
        file.finishWriting();
    } catch (...) {
        file.takeBack();
        throw;
    }
}

void appendWhole(AppendFile& file, std::string_view bytes, Ends ends) {
    try {
        endTornTail(file, ends);
    } catch (...) {
        file.takeBack();
        throw;
    }
    writeWhole(file, bytes);
}

std::size_t bytesAt(const AppendFile& file, const FilePlace& place, std::string_view bytes) {
    if (!file.readable() || !(file.identity() == place.file) || file.length() < place.at) return 0;
    const std::string there = file.readAt(place.at, bytes.size());
    return static_cast<std::size_t>(std::ranges::mismatch(there, bytes).in1 - there.begin());
}

void appendOwed(AppendFile& file, const std::optional<FilePlace>& place, std::string_view bytes, Ends ends) {
    const std::size_t landed = place ? bytesAt(file, *place, bytes) : 0;
    if (landed == bytes.size()) return;
    if (landed > 0 && place->at + landed == file.length()) return writeWhole(file, bytes.substr(landed));
    appendWhole(file, bytes, ends);
}

void appendToFile(const std::filesystem::path& file, std::string_view bytes, Ends ends) {
    AppendFile out(file, AppendFile::Missing::Create);
    out.lock();
    appendWhole(out, bytes, ends);
}

}  // namespace cj
