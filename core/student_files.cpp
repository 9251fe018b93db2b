#include "student_files.h"

#include <tuple>

#include "fixed_texts.h"
#include "record_layouts.h"
#include "run_error.h"
#include "text_files.h"

namespace cj {

namespace {

// The file's text; none when there is no such file.
std::optional<std::string> draftIn(const std::filesystem::path& file) {
    try {
        return readFile(file, kLargestAnswer);
    } catch (const RunError& failure) {
        if (failure.number() != kFileNotFound && failure.number() != kPathNotFound) throw;
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

}  // namespace

StudentFiles::StudentFiles(const DriveMap& drives, Clock& clock) : drives_(drives), clock_(clock) {}

void StudentFiles::open(std::string header) {
    unwrittenHeader_ = std::move(header);
    // Start-up touches no file once a step has failed; the outbox then waits for the next line
    // that reaches the class file, or the end of the run.
    outboxMayHoldLines_ = true;
    createFile(locate(names_.master));
    takeCopy();
    append({names_.send, ""});
    try {
        appendAfterOutbox(locate(names_.outbox), locate(kResponsesFile), "");
        outboxMayHoldLines_ = false;
    } catch (const RunError& unreached) {
        throw RunError(firstTimeUnreached(unreached.number()));
    }
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

int StudentFiles::recordResponse(const std::string& typed, float codeNbr) {
    return write(Kind::Response, typed, [&] {
        return Record{Kind::Response, typed, {{names_.send, responseRecord(typed, clock_.now(), codeNbr)}},
                      classFileLine(typed, codeNbr)};
    });
}

int StudentFiles::recordNotes(const std::string& typed, const std::string& currentLine, float codeNbr) {
    return write(Kind::Notes, typed, [&] {
        const NotesRecord notes = notesRecord(kNotesLabel + typed, currentLine, clock_.now(), codeNbr);
        return Record{Kind::Notes,
                      typed,
                      {{names_.send, notes.sendAndNotes}, {names_.master, notes.master}, {names_.notes, notes.sendAndNotes}},
                      std::nullopt};
    });
}

int StudentFiles::write(Kind kind, const std::string& typed, const std::function<Record()>& compose) {
    if (!pending_ || pending_->kind != kind || pending_->typed != typed) pending_ = compose();
    int failure = 0;
    for (Part& part : pending_->parts) {
        if (!part.landed) keepFirstFailure(failure, [&] { append(part); part.landed = true; });
    }
    if (failure != 0) throw RunError(failure);
    const int unreached = pending_->classLine ? sendToClassFile(*pending_->classLine) : 0;
    pending_.reset();
    return unreached;
}

// A header that could not be written at start-up goes in front of the first record that
// lands, so the send file never holds a record without the header that names its student.
void StudentFiles::append(const Part& part) {
    if (part.file != names_.send) return appendToFile(locate(part.file), part.bytes);
    appendToFile(locate(part.file), unwrittenHeader_ + part.bytes);
    unwrittenHeader_.clear();
}

// Only a line that reaches neither the class file nor the outbox is a failure: the record
// then stays pending for the class file alone.
int StudentFiles::sendToClassFile(const std::string& line) {
    try {
        appendAfterOutbox(locate(names_.outbox), locate(kResponsesFile), line);
        outboxMayHoldLines_ = false;
        return 0;
    } catch (const RunError& unreached) {
        appendToFile(locate(names_.outbox), line);
        outboxMayHoldLines_ = true;
        return firstTimeUnreached(unreached.number());
    }
}

int StudentFiles::firstTimeUnreached(int failure) {
    if (unreachedTold_) return 0;
    unreachedTold_ = true;
    return failure;
}

void StudentFiles::deliverOutbox() noexcept {
    if (!outboxMayHoldLines_) return;
    try {
        appendAfterOutbox(locate(names_.outbox), locate(kResponsesFile), "");
        outboxMayHoldLines_ = false;
    } catch (...) {
        // The lines wait for the next run that reaches the class file.
    }
}

StudentFiles::Draft StudentFiles::readDraft() {
    Draft draft;
    if (names_.draft.empty()) return draft;
    const std::filesystem::path file = locate(names_.draft);
    if (const auto text = draftIn(file)) draft = {*text, clock_.lastWritten(file)};
    removeLeftoverTemporaries(file, startedAt_);
    const std::string onDisk = draft.text;
    if (copyLock_.held()) takeInDraftsOfOtherCopies(draft);
    draftOnDisk_ = onDisk;
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
        takenDrafts_.pop_back();
    }
}

}  // namespace cj
