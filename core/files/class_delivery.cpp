#include "class_delivery.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "appends.h"
#include "clock_text.h"
#include "run_error.h"
#include "system_services.h"
#include "text_files.h"

namespace cj {

namespace {

// A delivery's note of where it stands is a line.
constexpr std::uint64_t kLargestProgress = 200;

std::string dateTextOf(std::chrono::system_clock::time_point moment) {
    return dateText(localTimeOf(std::chrono::system_clock::to_time_t(moment)));
}

// Anyone who can write the folder could put a file there that this program would deliver
// without being able to empty it, or one linked to another file that a delivery would copy
// into the class file and empty.
void requireUsable(const AppendFile& box) {
    if (!box.readable() || box.appendOnly()) throw RunError(kPermissionDenied);
    if (box.links() != 1) throw RunError(kPathFileAccessError);
}

std::optional<DeliveryInProgress> progressIn(const std::filesystem::path& file) {
    try {
        return deliveryFromSavedForm(readFile(file, kLargestProgress));
    } catch (const RunError&) {
        return std::nullopt;
    }
}

// Where the line that holds offset begins.
std::size_t lineStart(std::string_view lines, std::size_t offset) {
    const std::size_t end = offset == 0 ? std::string_view::npos : lines.rfind('\n', offset - 1);
    return end == std::string_view::npos ? 0 : end + 1;
}

class Delivering {
public:
    Delivering(const std::vector<Outbox>& outboxes, std::size_t own, const std::filesystem::path& classFile)
        : outboxes_(outboxes), own_(own), classFile_(classFile), boxes_(outboxes.size()),
          waiting_(outboxes.size()), progress_(outboxes.size()) {
        for (std::size_t i = 0; i < outboxes.size(); ++i) open(i, AppendFile::Missing::Absent);
    }

    Delivery to(std::string_view line, const LineHooks* hooks) {
        try {
            AppendFile out(classFile_, AppendFile::Missing::Create);
            // Made when missing, and waited for only with something to write.
            const auto empty = [](const Waiting& w) { return w.lines.empty(); };
            const bool nothingWaits = std::ranges::all_of(waiting_, empty);
            if (line.empty() && nothingWaits) return std::move(delivery_);
            const bool free = out.tryLock();
            // Before the wait, and behind the lines that wait.
            if (!line.empty() && (!free || !nothingWaits) && (toOwnOutbox(line, hooks) || givenUp_)) line = {};
            if (!free) out.lock();
            for (std::size_t i = 0; i < boxes_.size(); ++i) deliverOutbox(i, out);
            if (!line.empty()) {
                endTornTail(out, Ends::AtLineEnd);
                if (hooks && !hooks->placed({false, {out.identity(), out.length()}})) {
                    out.takeBack();
                    return std::move(delivery_);
                }
                writeWhole(out, line);
                if (hooks) hooks->safe();
            }
            return std::move(delivery_);
        } catch (const RunError& failure) {
            delivery_.unreached = failure.number();
        }
        if (!line.empty()) delivery_.lineSafe = toOwnOutbox(line, hooks);
        return std::move(delivery_);
    }

private:
    struct Waiting {
        std::string lines;  // what the outbox holds from today
        std::size_t from = 0;  // what of them the class file took already
    };

    void open(std::size_t i, AppendFile::Missing missing) {
        try {
            auto box = std::make_unique<AppendFile>(outboxes_[i].file, missing);
            if (!box->isOpen()) return;
            box->lock();
            requireUsable(*box);
            Waiting waiting{box->readAll()};
            waiting.lines += lineEndMissing(waiting.lines);
            if (!waiting.lines.empty()) learnProgress(i, waiting);
            const std::string written = dateTextOf(box->lastWritten());
            if (!waiting.lines.empty() && written != dateTextOf(std::chrono::system_clock::now())) {
                const std::string_view undelivered = std::string_view(waiting.lines).substr(lineStart(waiting.lines, waiting.from));
                const auto late = static_cast<std::size_t>(std::ranges::count(undelivered, '\n'));
                std::string keptIn;
                if (late > 0 && !keepOfDay(i, written, undelivered, late, keptIn)) return;
                box->empty();
                removeFile(outboxes_[i].progress);
                if (late > 0) delivery_.late.push_back({i, written, late, std::move(keptIn)});
                waiting = {};
            }
            waiting_[i] = std::move(waiting);
            boxes_[i] = std::move(box);
        } catch (const RunError& failure) {
            delivery_.faults.push_back({i, failure.number()});
        }
    }

    // False when nowhere can take them: they stay in the outbox, which this delivery then leaves
    // alone, so that they never join lines of another day.
    bool keepOfDay(std::size_t i, const std::string& dateText, std::string_view lines, std::size_t count,
                   std::string& keptIn) {
        try {
            keptIn = outboxes_[i].keepOfDay(dateText, lines);
            return true;
        } catch (const RunError& failure) {
            delivery_.faults.push_back({i, failure.number(), dateText, count});
            return false;
        }
    }

    // What of the outbox's lines a delivery that was killed on the way left in the class file.
    void learnProgress(std::size_t i, Waiting& waiting) {
        progress_[i] = progressIn(outboxes_[i].progress);
        if (!progress_[i] || progress_[i]->from > waiting.lines.size()) return progress_[i].reset();
        const std::string_view owed = std::string_view(waiting.lines).substr(progress_[i]->from);
        std::string there;
        try {
            there = readFileAt(classFile_, progress_[i]->to, owed.size());
        } catch (const RunError&) {
            // Nothing more is known than what the note says.
        }
        waiting.from = progress_[i]->from + static_cast<std::size_t>(std::ranges::mismatch(there, owed).in1 - there.begin());
    }

    // Delivers what the outbox holds and the class file lacks, noting first where it goes.
    void deliverOutbox(std::size_t i, AppendFile& out) {
        Waiting& waiting = waiting_[i];
        if (!boxes_[i] || waiting.lines.empty()) return;
        const std::optional<DeliveryInProgress>& before = progress_[i];
        // A line that a killed delivery tore is finished where it stands, while nothing follows it.
        const bool tornHere = before && waiting.from > 0 && waiting.lines[waiting.from - 1] != '\n' &&
                              out.identity() == before->to.file &&
                              out.length() == before->to.at + (waiting.from - before->from);
        std::optional<std::uint64_t> noted;
        if (!tornHere && waiting.from < waiting.lines.size()) {
            waiting.from = lineStart(waiting.lines, waiting.from);
            endTornTail(out, Ends::AtLineEnd);
            noted = out.length();
            saveFileAtomically(outboxes_[i].progress, savedForm(DeliveryInProgress{waiting.from, {out.identity(), *noted}}),
                               Durability::Replaceable);
        }
        try {
            if (waiting.from < waiting.lines.size()) writeWhole(out, std::string_view(waiting.lines).substr(waiting.from));
            try {
                boxes_[i]->empty();
            } catch (...) {
                out.takeBack();
                throw;
            }
        } catch (...) {
            // A note of lines that the class file gave back would only mislead the next delivery.
            if (noted && out.length() <= *noted) removeFile(outboxes_[i].progress);
            throw;
        }
        out.keep();
        waiting = {};
        removeFile(outboxes_[i].progress);
    }

    bool faulted(std::size_t i) const {
        return std::ranges::any_of(delivery_.faults, [i](const Delivery::Fault& f) { return f.outbox == i; });
    }

    // Puts line in the own outbox, made when missing; false when it cannot wait there, or the
    // record it belongs to gives it up.
    bool toOwnOutbox(std::string_view line, const LineHooks* hooks) {
        if (!boxes_[own_] && !faulted(own_)) open(own_, AppendFile::Missing::Create);
        if (!boxes_[own_]) return false;
        AppendFile& box = *boxes_[own_];
        Waiting& waiting = waiting_[own_];
        try {
            // A note of a delivery that emptied the outbox belongs to no line it will hold.
            if (waiting.lines.empty()) removeFile(outboxes_[own_].progress);
            endTornTail(box, Ends::AtLineEnd);
            if (hooks && !hooks->placed({true, {box.identity(), box.length()}})) {
                givenUp_ = true;
                box.takeBack();
                return false;
            }
            writeWhole(box, line);
            box.keep();
            waiting.lines += line;
            if (hooks) hooks->safe();
            return true;
        } catch (const RunError& failure) {
            // What it holds waits for another delivery, under its lock.
            box.takeBack();
            delivery_.faults.push_back({own_, failure.number()});
            boxes_[own_].reset();
            waiting = {};
            return false;
        }
    }

    const std::vector<Outbox>& outboxes_;
    const std::size_t own_;
    const std::filesystem::path& classFile_;
    std::vector<std::unique_ptr<AppendFile>> boxes_;  // those open, usable and locked
    std::vector<Waiting> waiting_;
    std::vector<std::optional<DeliveryInProgress>> progress_;
    bool givenUp_ = false;  // the line's record gave it up
    Delivery delivery_;
};

}  // namespace

Delivery deliverToClassFile(const std::vector<Outbox>& outboxes, std::size_t own,
                            const std::filesystem::path& classFile, std::string_view line, const LineHooks* hooks) {
    return Delivering(outboxes, own, classFile).to(line, hooks);
}

}  // namespace cj
