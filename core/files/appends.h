#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "text_files.h"

namespace cj {

// Where a file may end. A program killed in the middle of an append leaves a fragment at the
// end; the next append ends it first, so that what it appends stands on a line of its own and
// is never glued to the fragment.
enum class Ends {
    AtLineEnd,    // the class file and the outboxes: after CR LF
    AtRecordEnd,  // the student's own files: also after a notes record's dot line and its blanks,
                  // where the next record begins on the same line
};

// Appends bytes to a file whose lock the caller holds: whole and flushed, or else taken back
// and the failure thrown. A torn tail is ended first, and the bytes go in whole lines, so that
// a kill tears at most the one line being written.
void appendWhole(AppendFile& file, std::string_view bytes, Ends ends);
// The two halves of appendWhole, for those who must learn where the bytes go before they go:
// the torn tail ended, then, once file.length() is known, the bytes.
void endTornTail(AppendFile& file, Ends ends);
void writeWhole(AppendFile& file, std::string_view bytes);

// How many of the first bytes stand at place in the file whose lock the caller holds.
std::size_t bytesAt(const AppendFile& file, const FilePlace& place, std::string_view bytes);

// Finishes bytes that were to go at place, in a file whose lock the caller holds, after a run
// that may have been killed on the way: nothing when they stand there, the rest of them when the
// file ends in their beginning there, else all of them, appended whole.
void appendOwed(AppendFile& file, const std::optional<FilePlace>& place, std::string_view bytes, Ends ends);

// Opens the file (creating it when missing), waits for its lock and appends bytes whole.
void appendToFile(const std::filesystem::path& file, std::string_view bytes, Ends ends = Ends::AtLineEnd);

// The line end that text lacks after a fragment, "" when it is empty or ends with a line end.
std::string_view lineEndMissing(std::string_view text);

}  // namespace cj
