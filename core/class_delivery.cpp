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

class Delivering {
public:
    Delivering(const std::vector<Outbox>& outboxes, std::size_t own)
        : outboxes_(outboxes), own_(own), boxes_(outboxes.size()), waiting_(outboxes.size()) {
        for (std::size_t i = 0; i < outboxes.size(); ++i) open(i, AppendFile::Missing::Absent);
    }

    Delivery to(const std::filesystem::path& classFile, std::string_view line) {
        try {
            AppendFile out(classFile, AppendFile::Missing::Create);
            // Made when missing, and waited for only with something to write.
            const auto empty = [](const std::string& lines) { return lines.empty(); };
            if (line.empty() && std::ranges::all_of(waiting_, empty)) return std::move(delivery_);
            if (!out.tryLock()) {
                if (!line.empty() && wait(line)) line = {};
                out.lock();
            }
            for (std::size_t i = 0; i < boxes_.size(); ++i) {
                if (waiting_[i].empty()) continue;
                appendWhole(out, waiting_[i], Ends::AtLineEnd);
                try {
                    boxes_[i]->empty();
                } catch (...) {
                    out.takeBack();
                    throw;
                }
                out.keep();
                waiting_[i].clear();
            }
            if (!line.empty()) appendWhole(out, line, Ends::AtLineEnd);
            return std::move(delivery_);
        } catch (const RunError& failure) {
            delivery_.unreached = failure.number();
        }
        if (!line.empty()) delivery_.lineSafe = wait(line);
        return std::move(delivery_);
    }

private:
    void open(std::size_t i, AppendFile::Missing missing) {
        try {
            auto box = std::make_unique<AppendFile>(outboxes_[i].file, missing);
            if (!box->isOpen()) return;
            box->lock();
            requireUsable(*box);
            std::string lines = box->readAll();
            lines += lineEndMissing(lines);
            const std::string written = dateTextOf(box->lastWritten());
            if (!lines.empty() && written != dateTextOf(std::chrono::system_clock::now())) {
                appendToFile(outboxes_[i].dayFile(written), lines);
                box->empty();
                delivery_.late.push_back({i, written, static_cast<std::size_t>(std::ranges::count(lines, '\n'))});
                lines.clear();
            }
            waiting_[i] = std::move(lines);
            boxes_[i] = std::move(box);
        } catch (const RunError& failure) {
            delivery_.faults.push_back({i, failure.number()});
        }
    }

    bool faulted(std::size_t i) const {
        return std::ranges::any_of(delivery_.faults, [i](const Delivery::Fault& f) { return f.outbox == i; });
    }

    // Puts line in the own outbox, made when missing; false when it cannot wait there.
    bool wait(std::string_view line) {
        if (!boxes_[own_] && !faulted(own_)) open(own_, AppendFile::Missing::Create);
        if (!boxes_[own_]) return false;
        try {
            appendWhole(*boxes_[own_], line, Ends::AtLineEnd);
            boxes_[own_]->keep();
            waiting_[own_] += line;
            return true;
        } catch (const RunError& failure) {
            // What it holds waits for another delivery, under its lock.
            delivery_.faults.push_back({own_, failure.number()});
            boxes_[own_].reset();
            waiting_[own_].clear();
            return false;
        }
    }

    const std::vector<Outbox>& outboxes_;
    const std::size_t own_;
    std::vector<std::unique_ptr<AppendFile>> boxes_;  // those open, usable and locked
    std::vector<std::string> waiting_;                // what each holds from today
    Delivery delivery_;
};

}  // namespace

Delivery deliverToClassFile(const std::vector<Outbox>& outboxes, std::size_t own,
                            const std::filesystem::path& classFile, std::string_view line) {
    return Delivering(outboxes, own).to(classFile, line);
}

}  // namespace cj
