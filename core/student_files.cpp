#include "student_files.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "appends.h"
#include "failure_messages.h"
#include "fixed_texts.h"
#include "record_layouts.h"
#include "run_error.h"
#include "text_files.h"
#include "utf8_text.h"

namespace cj {

namespace {

// The text typed, its bytes for three files and the class file's line.
constexpr std::uint64_t kLargestRecordInProgress = 5 * kLargestAnswer;

bool isMissing(const RunError& failure) {
    return failure.number() == kFileNotFound || failure.number() == kPathNotFound;
}

// The file's text; none when there is no such file.
std::optional<std::string> draftIn(const std::filesystem::path& file) {
    try {
        return readFile(file, kLargestAnswer);
    } catch (const RunError& failure) {
        if (!isMissing(failure)) throw;
        return std::nullopt;
    }
}

bool later(const LocalTime& a, const LocalTime& b) {
    return std::tie(a.year, a.month, a.day, a.hour, a.minute, a.second) >
           std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second);
}

// Runs write, keeping the first failure's number, so that one file's failure does not keep
// the record from the others.
void keepFirstFailure(int& failure, const std::function<void()>& write) {
    try {
        write();
    } catch (const RunError& e) {
        if (failure == 0) failure = e.number();
    }
}

// Paths are UTF-8, messages in the code page.
std::string outboxFaultMessage(const std::string& outbox, int failure) {
    return filledIn(kOutboxFault, {codePageOfUtf8(outbox), std::to_string(failure)});
}

std::string lateLinesMessage(std::size_t lines, const std::string& dateText, const std::string& keptIn) {
    const std::string count = std::to_string(lines) + (lines == 1 ? " line" : " lines");
    return filledIn(kLateLines, {count, dateText, codePageOfUtf8(keptIn)});
}

}  // namespace

StudentFiles::StudentFiles(const DriveMap& drives, Clock& clock) : drives_(drives), clock_(clock) {}

void StudentFiles::name(StudentFileNames names) {
    names_ = std::move(names);
    if (std::ranges::find(names_.outboxes, names_.outbox) == names_.outboxes.end()) {
        names_.outboxes.push_back(names_.outbox);
    }
    outboxes_.clear();
    for (const std::string& outbox : names_.outboxes) {
        if (outbox == names_.outbox) ownOutbox_ = outboxes_.size();
        const auto dayFile = [this, outbox](const std::string& date) { return locate(unsentOfDay(outbox, date)); };
        outboxes_.push_back({locate(outbox), dayFile});
    }
}

void StudentFiles::open(std::string header) {
    unwrittenHeader_ = std::move(header);
    // Start-up touches no file once a step has failed; the outboxes then wait for the next line
    // that reaches the class file, or the end of the run.
    outboxMayHoldLines_ = true;
    createFile(locate(names_.master));
    takeCopy();
    append({names_.send, ""});
    learn(deliver(""));
}

HeldLock StudentFiles::tryToTakeCopy(int copy) const {
    return HeldLock::tryToTake(locate(names_.inUse), kLockOffset + static_cast<std::uint64_t>(copy));
}

// A copy that finds every copy's place taken keeps no draft rather than share another's. One
// that cannot tell, the lock file being out of reach, keeps the first copy's draft, as every
// copy did before copies were told apart; it is no failure of the start-up.
void StudentFiles::takeCopy() {
    try {
        for (int copy = 1; copy <= kCopiesPerName; ++copy) {
            if (HeldLock lock = tryToTakeCopy(copy); lock.held()) {
                copyLock_ = std::move(lock);
                names_.draft = names_.copyDrafts[copy - 1];
                return;
            }
            nameInUse_ = true;
        }
        names_.draft.clear();
    } catch (const RunError&) {
        // The first copy's draft it is.
    }
}

void StudentFiles::recordResponse(const std::string& typed, float codeNbr) {
    write(Kind::Response, typed, [&] {
        return RecordInProgress{Kind::Response, typed, {{names_.send, responseRecord(typed, clock_.now(), codeNbr)}},
                                classFileLine(typed, codeNbr)};
    });
}

void StudentFiles::recordNotes(const std::string& typed, const std::string& currentLine, float codeNbr) {
    write(Kind::Notes, typed, [&] {
        const NotesRecord notes = notesRecord(kNotesLabel + typed, currentLine, clock_.now(), codeNbr);
        return RecordInProgress{
            Kind::Notes,
            typed,
            {{names_.send, notes.sendAndNotes}, {names_.master, notes.master}, {names_.notes, notes.sendAndNotes}},
            std::nullopt};
    });
}

void StudentFiles::write(Kind kind, const std::string& typed, const std::function<RecordInProgress()>& compose) {
    if (!inProgress_ || inProgress_->kind != kind || inProgress_->typed != typed) inProgress_ = compose();
    int failure = 0;
    for (Part& part : inProgress_->parts) {
        if (!part.landed) keepFirstFailure(failure, [&] { append(part); part.landed = true; });
    }
    if (failure == 0 && inProgress_->classLine) {
        keepFirstFailure(failure, [&] {
            sendToClassFile(*inProgress_->classLine);
            inProgress_->classLine.reset();
        });
    }
    if (failure == 0) inProgress_.reset();
    if (inProgress_ || inProgressOnDisk_) saveRecordInProgress();
    if (failure != 0) throw RunError(failure);
}

void StudentFiles::forgetRecordInProgress() {
    inProgress_.reset();
    if (inProgressOnDisk_) saveRecordInProgress();
}

// A header that could not be written at start-up goes in front of the first record that
// lands, so the send file never holds a record without the header that names its student.
void StudentFiles::append(const Part& part) {
    if (part.file != names_.send) return appendToFile(locate(part.file), part.bytes, Ends::AtRecordEnd);
    appendToFile(locate(part.file), unwrittenHeader_ + part.bytes, Ends::AtRecordEnd);
    unwrittenHeader_.clear();
}

// Only a line that reaches neither the class file nor the outbox is a failure: the record
// then stays in progress for the class file alone.
void StudentFiles::sendToClassFile(const std::string& line) {
    const Delivery delivery = deliver(line);
    learn(delivery);
    if (!delivery.lineSafe) throw RunError(delivery.unreached);
}

// The other folders' outboxes, which only another run fills, are looked at while this run may owe
// the class file lines (from the start until a delivery succeeds, and after a failure): a look on
// a network share for every record would keep the student waiting.
Delivery StudentFiles::deliver(std::string_view line) {
    if (outboxMayHoldLines_) return deliverToClassFile(outboxes_, ownOutbox_, locate(kResponsesFile), line);
    Delivery delivery = deliverToClassFile({outboxes_[ownOutbox_]}, 0, locate(kResponsesFile), line);
    for (Delivery::Fault& fault : delivery.faults) fault.outbox = ownOutbox_;
    for (Delivery::LateLines& late : delivery.late) late.outbox = ownOutbox_;
    return delivery;
}

void StudentFiles::learn(const Delivery& delivery) {
    outboxMayHoldLines_ = delivery.unreached != 0;
    if (delivery.unreached != 0 && delivery.lineSafe && !unreachedTold_) {
        unreachedTold_ = true;
        news_.push_back(failureMessage(delivery.unreached));
    }
    for (const Delivery::Fault& fault : delivery.faults) {
        if (std::ranges::find(faultsTold_, fault.outbox) != faultsTold_.end()) continue;
        faultsTold_.push_back(fault.outbox);
        news_.push_back(outboxFaultMessage(names_.outboxes[fault.outbox], fault.failure));
    }
    for (const Delivery::LateLines& late : delivery.late) {
        const std::string keptIn = unsentOfDay(names_.outboxes[late.outbox], late.dateText);
        news_.push_back(lateLinesMessage(late.lines, late.dateText, keptIn));
    }
}

std::vector<std::string> StudentFiles::news() { return std::exchange(news_, {}); }

void StudentFiles::deliverOutbox() noexcept {
    if (!outboxMayHoldLines_) return;
    try {
        deliver("");
    } catch (...) {
        // The lines wait for the next run that reaches the class file.
    }
}

StudentFiles::Draft StudentFiles::readDraft() {
    Draft draft;
    if (names_.draft.empty()) return draft;
    const std::filesystem::path file = locate(names_.draft);
    // Whatever the draft holds, and whether or not it can be read.
    removeLeftoverTemporaries(file, startedAt_);
    removeLeftoverTemporaries(locate(recordInProgressOf(names_.draft)), startedAt_);
    if (const auto text = draftIn(file)) draft = {*text, clock_.lastWritten(file)};
    const std::string onDisk = draft.text;
    if (copyLock_.held()) takeInDraftsOfOtherCopies(draft);
    draftOnDisk_ = onDisk;
    restoreRecordInProgress(draft.text);
    return draft;
}

// What a copy of the name left when it ended comes back to the next copy that starts, and to no
// other: each such draft stays locked as its copy's until this copy's draft holds its text.
void StudentFiles::takeInDraftsOfOtherCopies(Draft& draft) {
    std::vector<TakenDraft> taken;
    for (int copy = 1; copy <= kCopiesPerName; ++copy) {
        const std::string& other = names_.copyDrafts[copy - 1];
        if (other == names_.draft) continue;
        HeldLock lock = tryToTakeCopy(copy);
        if (!lock.held()) continue;  // that copy is running
        const std::filesystem::path file = locate(other);
        removeLeftoverTemporaries(file, startedAt_);
        const auto text = draftIn(file);
        if (!text) continue;
        if (!text->empty()) {
            draft.text += (draft.text.empty() ? "" : kLineEnd) + *text;
            if (const LocalTime saved = clock_.lastWritten(file); later(saved, draft.savedAt)) draft.savedAt = saved;
        }
        taken.push_back({other, std::move(lock)});
    }
    takenDrafts_ = std::move(taken);
}

// A record in progress whose text is not what the answer box gets back was given up in the box.
void StudentFiles::restoreRecordInProgress(const std::string& boxText) {
    try {
        const std::string saved = readFile(locate(recordInProgressOf(names_.draft)), kLargestRecordInProgress);
        inProgressOnDisk_ = true;
        inProgress_ = recordFromSavedForm(saved, names_);
    } catch (const RunError& failure) {
        if (!isMissing(failure)) inProgressOnDisk_ = true;
    }
    if (inProgress_ && inProgress_->typed != boxText) inProgress_.reset();
    if (!inProgress_ && inProgressOnDisk_) saveRecordInProgress();
}

void StudentFiles::saveRecordInProgress() noexcept {
    if (names_.draft.empty()) return;
    try {
        const std::filesystem::path file = locate(recordInProgressOf(names_.draft));
        if (inProgress_) {
            saveFileAtomically(file, savedForm(*inProgress_, names_));
            inProgressOnDisk_ = true;
        } else {
            removeFile(file);
            inProgressOnDisk_ = false;
        }
    } catch (...) {
    }
}

// The drafts taken in go only once this copy's draft holds their text: a crash in between can
// bring a text back twice, never lose it.
void StudentFiles::keepDraft(const std::string& text) {
    if (names_.draft.empty() || (text == draftOnDisk_ && takenDrafts_.empty())) return;
    if (text != draftOnDisk_) {
        if (text.empty()) {
            removeFile(locate(names_.draft));
        } else {
            saveFileAtomically(locate(names_.draft), text);
        }
        draftOnDisk_ = text;
    }
    while (!takenDrafts_.empty()) {
        removeFile(locate(takenDrafts_.back().file));
        removeFile(locate(recordInProgressOf(takenDrafts_.back().file)));
        takenDrafts_.pop_back();
    }
}

}  // namespace cj
