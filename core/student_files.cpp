#include "student_files.h"

#include "fixed_texts.h"
#include "record_layouts.h"
#include "run_error.h"
#include "text_files.h"

namespace cj {

namespace {

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
    int failure = 0;
    keepFirstFailure(failure, [&] { append({names_.send, ""}); });
    keepFirstFailure(failure, [&] { createFile(locate(names_.master)); });
    try {
        appendAfterOutbox(locate(names_.outbox), locate(kResponsesFile), "");
    } catch (const RunError& unreached) {
        outboxMayHoldLines_ = true;
        if (failure == 0) failure = firstTimeUnreached(unreached.number());
    }
    if (failure != 0) throw RunError(failure);
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

std::string StudentFiles::readDraft() {
    const std::filesystem::path file = locate(names_.draft);
    try {
        draftOnDisk_ = readFile(file, kLargestAnswer);
    } catch (const RunError& failure) {
        if (failure.number() != kFileNotFound && failure.number() != kPathNotFound) throw;
    }
    removeLeftoverTemporaries(file, startedAt_);
    return draftOnDisk_;
}

void StudentFiles::keepDraft(const std::string& text) {
    if (text == draftOnDisk_) return;
    if (text.empty()) {
        removeFile(locate(names_.draft));
    } else {
        saveFileAtomically(locate(names_.draft), text);
    }
    draftOnDisk_ = text;
}

}  // namespace cj
