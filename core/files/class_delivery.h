#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record_in_progress.h"

namespace cj {

// One of the student's outboxes on this computer: class-file lines that wait for the class file.
struct Outbox {
    std::filesystem::path file;
    // Keeps lines last written to it on an earlier day, given that day's date text, apart from
    // any other day's; says where, as the student is told, or throws when nowhere can take them.
    std::function<std::string(const std::string& dateText, std::string_view lines)> keepOfDay;
    // How far a delivery of its lines to the class file got, while one is under way.
    std::filesystem::path progress;
};

// What became of a delivery, for the student to be told.
struct Delivery {
    struct Fault {
        std::size_t outbox;
        int failure;
        // Set when it was the day file that failed, leaving the outbox those lines of its day.
        std::string dateText = {};
        std::size_t lines = 0;
    };
    struct LateLines {
        std::size_t outbox;
        std::string dateText;
        std::size_t lines;
        std::string keptIn;
    };

    int unreached = 0;     // why the class file took nothing more, 0 when it took everything
    bool lineSafe = true;  // the line is in the class file or waits in the own outbox
    std::vector<Fault> faults;
    std::vector<LateLines> late;
};

// What the record whose line is delivered learns of it, and does, on the way.
struct LineHooks {
    // Once it is known where the line goes, before any byte of it goes there: false when the
    // line is not to go after all. Called again should that place fail and another be tried.
    std::function<bool(const RecordInProgress::LinePlace&)> placed;
    // Once the line is in the class file or the own outbox.
    std::function<void()> safe;
};

// Delivers to the class file, in order, the lines that every outbox holds from today, then line
// ("" for none), and empties those outboxes. Every outbox is locked for the whole delivery, in
// the order given, which every program keeps, so that a line another copy of the program adds
// to it meanwhile waits and is never lost. Before an outbox's lines go, where the class file
// then ends is kept beside it, so that a delivery killed on the way is finished by the next
// one, which delivers only what the class file lacks; emptying an outbox that the class file
// took is no step of its own: should it fail, its lines are taken back from the class file.
//
// - Lines last written to an outbox on an earlier day are never delivered: they are kept apart
//   and reported in `late`; when nowhere can take them, they stay in the outbox, which this
//   delivery leaves alone, reported in `faults`.
// - An outbox that cannot serve (anything but a regular file that this program can read and
//   write, an append-only one, one with more than one link) is neither read, written nor
//   emptied, and is reported in `faults`; line goes straight to the class file.
// - When the class file's lock is not free at once, or lines wait before it, line is put in the
//   outbox of index own, flushed, before the wait, so that a kill during the wait leaves it there.
// - When the class file takes nothing more, line waits in the outbox of index own.
Delivery deliverToClassFile(const std::vector<Outbox>& outboxes, std::size_t own,
                            const std::filesystem::path& classFile, std::string_view line,
                            const LineHooks* hooks = nullptr);

}  // namespace cj
