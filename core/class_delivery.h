#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cj {

// One of the student's outboxes on this computer: class-file lines that wait for the class file.
struct Outbox {
    std::filesystem::path file;
    // Where lines last written to it on an earlier day stay, given that day's date text.
    std::function<std::filesystem::path(const std::string& dateText)> dayFile;
};

// What became of a delivery, for the student to be told.
struct Delivery {
    struct Fault {
        std::size_t outbox;
        int failure;
    };
    struct LateLines {
        std::size_t outbox;
        std::string dateText;
        std::size_t lines;
    };

    int unreached = 0;     // why the class file took nothing more, 0 when it took everything
    bool lineSafe = true;  // the line is in the class file or waits in the own outbox
    std::vector<Fault> faults;
    std::vector<LateLines> late;
};

// Delivers to the class file, in order, the lines that every outbox holds from today, then line
// ("" for none), and empties those outboxes. Every outbox is locked for the whole delivery, in
// the order given, which every program keeps, so that a line another copy of the program adds
// to it meanwhile waits and is never lost. Emptying an outbox that the class file took is no
// step of its own: should it fail, its lines are taken back from the class file. Only a crash
// between the class file's flush and the emptying can deliver lines twice; none is ever lost.
//
// - Lines last written to an outbox on an earlier day are never delivered: they go to its day
//   file and are reported in `late`.
// - An outbox that cannot serve (anything but a regular file that this program can read and
//   write, an append-only one, one with more than one link) is neither read, written nor
//   emptied, and is reported in `faults`; line goes straight to the class file.
// - When the class file's lock is not free at once, line is put in the outbox of index own,
//   flushed, before the wait, so that a kill during the wait leaves it there.
// - When the class file takes nothing more, line waits in the outbox of index own.
Delivery deliverToClassFile(const std::vector<Outbox>& outboxes, std::size_t own,
                            const std::filesystem::path& classFile, std::string_view line);

}  // namespace cj
