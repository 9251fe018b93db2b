#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_names.h"
#include "text_files.h"

namespace cj {

// A record whose bytes were fixed when it was first tried, so that every later try writes the
// same bytes to the files that still miss them, and to no other.
struct RecordInProgress {
    enum class Kind { Response, Notes };
    struct Part {
        std::string file;  // one of the student's own files, as StudentFileNames names it
        std::string bytes;
        bool landed = false;
        // Where this try puts the bytes, known before the first of them goes: a start after a
        // kill looks there to learn whether they went.
        std::optional<FilePlace> place{};
    };
    // Where the class file's line goes: the class file, or the own outbox, where it waits.
    struct LinePlace {
        bool inOutbox = false;
        FilePlace place;
    };

    Kind kind;
    std::string typed;
    std::string dateText;                  // the day of the send file it goes to
    std::vector<Part> parts;               // the send file first
    std::optional<std::string> classLine;  // until it is in the class file or an outbox
    std::optional<LinePlace> linePlace;

    // A kill came while the record was being written, rather than a failure the student saw.
    bool inFlight() const {
        return linePlace || std::ranges::any_of(parts, [](const Part& p) { return p.place.has_value(); });
    }
};

// What the record still owes its files, as kept beside the draft for the next start:
//   Class Journal record in progress: response 12-07-2026            (or: notes 12-07-2026)
// then, for the text typed and for each file that still misses the record, a line of what it
// is, how many bytes follow and, while the record is being written, where they go (the file's
// identity, two numbers, and its length before them), those bytes, and a line end:
//   typed 2 / OK /  send 181 2049 1234567 5120 / (181 bytes) /  responses 4 / OK and CR LF /
// where what is one of typed, send, masterFile, notes (the record's bytes for the student's
// own files), responses (the class file's line) and unsent (the line, going to the outbox).
// Every line ends with CR LF.
std::string savedForm(const RecordInProgress& record, const StudentFileNames& names);

// The record a saved form describes, in the files that names gives for the record's day (a form
// without a day is of names' day); nullopt for anything else.
std::optional<RecordInProgress> recordFromSavedForm(std::string_view saved, StudentFileNames names);

// Where a delivery of an outbox stood, kept beside it while its lines go to the class file: from
// which of the outbox's bytes on, to which place in the class file.
struct DeliveryInProgress {
    std::uint64_t from = 0;
    FilePlace to;
};
std::string savedForm(const DeliveryInProgress& delivery);
std::optional<DeliveryInProgress> deliveryFromSavedForm(std::string_view saved);

}  // namespace cj
