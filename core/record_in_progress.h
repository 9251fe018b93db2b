#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_names.h"

namespace cj {

// A record whose bytes were fixed when it was first tried, so that every later try writes the
// same bytes to the files that still miss them, and to no other.
struct RecordInProgress {
    enum class Kind { Response, Notes };
    struct Part {
        std::string file;  // one of the student's own files, as StudentFileNames names it
        std::string bytes;
        bool landed = false;
    };

    Kind kind;
    std::string typed;
    std::vector<Part> parts;                // the send file first
    std::optional<std::string> classLine;  // until it is in the class file or an outbox
};

// What the record still owes its files, as kept beside the draft for the next start:
//   Class Journal record in progress: response            (or: notes)
// then, for the text typed and for each file that still misses the record, a line of what it
// is and how many bytes follow, those bytes, and a line end:
//   typed 2 / OK /  send 181 / (181 bytes) /  responses 4 / OK and CR LF /
// where what is one of typed, send, masterFile, notes (the record's bytes for the student's
// own files) and responses (the class file's line). Every line ends with CR LF.
std::string savedForm(const RecordInProgress& record, const StudentFileNames& names);

// The record a saved form describes, with today's send file; nullopt for anything else.
std::optional<RecordInProgress> recordFromSavedForm(std::string_view saved, const StudentFileNames& names);

}  // namespace cj
