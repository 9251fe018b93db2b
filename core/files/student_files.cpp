#include "student_files.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "appends.h"
#include "code_page.h"
#include "failure_messages.h"
#include "fixed_texts.h"
#include "record_layouts.h"
#include "run_error.h"
#include "text_files.h"

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

std::string lineCount(std::size_t lines) { return std::to_string(lines) + (lines == 1 ? " line" : " lines"); }

std::string dayFileFaultMessage(const std::string& outbox, const Delivery::Fault& fault) {
    return filledIn(kDayFileFault,
                    {lineCount(fault.lines), fault.dateText, std::to_string(fault.failure), codePageOfUtf8(outbox)});
}

std::string lateLinesMessage(std::size_t lines, const std::string& dateText, const std::string& keptIn) {
    return filledIn(kLateLines, {lineCount(lines), dateText, codePageOfUtf8(keptIn)});
}

// Appends lines of an earlier day to that day's file beside the outbox, or, should it be unusable,
// to the second place for them, so that the outbox stays free for today's; the first failure is
// the one told.
std::string keepOfDay(const DriveMap& drives, const std::string& outbox, const std::string& dateText,
                      std::string_view lines) {
    const std::string dayFile = unsentOfDay(outbox, dateText);
    try {
        appendToFile(drives.locate(dayFile), lines);
        return dayFile;
    } catch (const RunError& failure) {
        const std::string elsewhere = unsentOfDayElsewhere(outbox, dateText);
        try {
            appendToFile(drives.locate(elsewhere), lines);
            return elsewhere;
        } catch (const RunError&) {
            throw failure;
        }
    }
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
        const auto ofDay = [this, outbox](const std::string& date, std::string_view lines) {
            return keepOfDay(drives_, outbox, date, lines);
        };
        outboxes_.push_back({locate(outbox), ofDay, locate(progressFileOf(outbox))});
    }
}

void StudentFiles::open(std::string header) {
    unwrittenHeader_ = std::move(header);
    createFile(locate(names_.master));
    takeCopy();
    if (nameFull_) return;
    // Start-up touches no file once a step has failed; the outboxes then wait for the next line
    // that reaches the class file, or the end of the run.
    outboxMayHoldLines_ = true;
    finishRecordsKilledOnTheWay();
    lockedForAppending(names_.send);
    learn(deliver(""));
}

HeldLock StudentFiles::tryToTakeCopy(int copy) const {
    return HeldLock::tryToTake(locate(names_.inUse), kLockOffset + static_cast<std::uint64_t>(copy));
}

// A copy that finds every copy's place taken does not run rather than keep no draft. One that
// cannot tell, the lock file being out of reach, keeps the first copy's draft, as every copy did
// before copies were told apart; it is no failure of the start-up.
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
        nameFull_ = true;
        names_.draft.clear();
    } catch (const RunError&) {
        // The first copy's draft it is.
    }
}

// A record that a copy of the name was writing when it was killed is finished into the files
// that miss it, before this run adds anything, and its text does not come back: the student saw
// it go. Those of copies still running are theirs.
void StudentFiles::finishRecordsKilledOnTheWay() {
    for (int copy = 1; copy <= kCopiesPerName; ++copy) {
        const std::string& draft = names_.copyDrafts[copy - 1];
        std::optional<RecordInProgress> record;
        HeldLock other;
        try {
            if (draft != names_.draft && !(other = tryToTakeCopy(copy)).held()) continue;
            record = recordFromSavedForm(readFile(locate(progressFileOf(draft)), kLargestRecordInProgress), names_);
        } catch (const RunError&) {
            continue;  // none, or one that readDraft gives up
        }
        if (!record || !record->inFlight()) continue;
        int failure = 0;
        for (Part& part : record->parts) {
            keepFirstFailure(failure, [&] {
                AppendFile file(locate(part.file), AppendFile::Missing::Create);
                file.lock();
                appendOwed(file, part.place, part.bytes, Ends::AtRecordEnd);
                part.landed = true;
            });
        }
        if (failure == 0 && record->classLine) keepFirstFailure(failure, [&] { finishLine(*record); });
        if (failure == 0) {
            forgetRecord(draft, false);
        } else {
            // Left to the student, whose draft still holds its text, as after any failure.
            saveOwed(draft, *record);
        }
    }
}

// The class file's line of a record killed on the way, unless it stands where it went: to the
// class file, or, for a record of an earlier day, to that day's file beside the outbox.
void StudentFiles::finishLine(RecordInProgress& record) {
    const std::string& line = *record.classLine;
    if (const auto& to = record.linePlace) {
        const std::string file = to->inOutbox ? names_.outbox : std::string(kClassFile);
        if (readFileAt(locate(file), to->place, line.size()) == line) return record.classLine.reset();
    }
    if (record.dateText == names_.dateText) {
        sendToClassFile(line);
    } else {
        const std::string keptIn = keepOfDay(drives_, names_.outbox, record.dateText, line);
        news_.push_back(lateLinesMessage(1, record.dateText, keptIn));
    }
    record.classLine.reset();
}

void StudentFiles::recordResponse(const std::string& typed, float codeNbr) {
    write(Kind::Response, typed, [&] {
        return RecordInProgress{Kind::Response,
                                typed,
                                names_.dateText,
                                {{names_.send, responseRecord(typed, clock_.now(), codeNbr)}},
                                classFileLine(typed, codeNbr),
                                std::nullopt};
    });
}

void StudentFiles::recordNotes(const std::string& typed, const std::string& currentLine, float codeNbr) {
    write(Kind::Notes, typed, [&] {
        const NotesRecord notes = notesRecord(kNotesLabel + typed, currentLine, clock_.now(), codeNbr);
        return RecordInProgress{
            Kind::Notes,
            typed,
            names_.dateText,
            {{names_.send, notes.sendAndNotes}, {names_.master, notes.master}, {names_.notes, notes.sendAndNotes}},
            std::nullopt,
            std::nullopt};
    });
}

// Every file of the record is locked before any of its bytes go, in the order of its parts,
// which every copy of the program keeps, and the record in progress is kept beside the draft
// with where its bytes go in each: a kill at any moment leaves the next start what it needs to
// finish the record exactly once. Once the record is safe, the draft no longer holds its text.
void StudentFiles::write(Kind kind, const std::string& typed, const std::function<RecordInProgress()>& compose) {
    // The drafts taken in go before the record is made of their text, or a kill could bring
    // them back after it.
    try {
        if (!takenDrafts_.empty()) keepDraft(typed);
    } catch (const RunError&) {
        // They go with the draft once the box is emptied.
    }
    if (!inProgress_ || inProgress_->kind != kind || inProgress_->typed != typed) inProgress_ = compose();
    RecordInProgress& record = *inProgress_;
    int failure = 0;
    std::vector<std::unique_ptr<AppendFile>> files(record.parts.size());
    for (std::size_t i = 0; i < record.parts.size(); ++i) {
        Part& part = record.parts[i];
        if (part.landed) continue;
        keepFirstFailure(failure, [&] {
            files[i] = lockedForAppending(part.file);
            part.place = FilePlace{files[i]->identity(), files[i]->length()};
        });
    }
    bool ownTried = false;
    const auto writeOwn = [&] {
        ownTried = true;
        saveRecordInProgress(Durability::Replaceable);
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!files[i]) continue;
            keepFirstFailure(failure, [&] {
                writeWhole(*files[i], record.parts[i].bytes);
                record.parts[i].landed = true;
            });
            files[i].reset();
        }
        return failure == 0;
    };
    const auto safe = [&] {
        record.classLine.reset();
        forgetRecord(names_.draft, true);
    };
    if (record.classLine && failure == 0) {
        const LineHooks hooks{[&](const RecordInProgress::LinePlace& place) {
                                  record.linePlace = place;
                                  if (ownTried) saveRecordInProgress(Durability::Replaceable);
                                  return ownTried ? failure == 0 : writeOwn();
                              },
                              safe};
        keepFirstFailure(failure, [&] { sendToClassFile(*record.classLine, &hooks); });
    }
    if (!ownTried && writeOwn() && !record.classLine) safe();
    if (failure == 0 && !record.classLine) return inProgress_.reset();
    for (Part& part : record.parts) part.place.reset();
    record.linePlace.reset();
    saveRecordInProgress(Durability::Flushed);
    throw RunError(failure != 0 ? failure : kPathFileAccessError);
}

void StudentFiles::forgetRecordInProgress() {
    inProgress_.reset();
    if (inProgressOnDisk_) saveRecordInProgress(Durability::Flushed);
}

// The draft goes before the record beside it, so that a kill in between leaves a record that
// the next start finds whole, and no text to put back. Should the draft stay, so does the
// record, which the next start then finds whole and forgets with the draft.
void StudentFiles::forgetRecord(const std::string& draft, bool draftKnown) noexcept {
    try {
        if (!draftKnown || !draftOnDisk_.empty()) removeFile(locate(draft));
        if (draft == names_.draft) draftOnDisk_.clear();
        removeFile(locate(progressFileOf(draft)));
        if (draft == names_.draft) inProgressOnDisk_ = false;
    } catch (...) {
    }
}

void StudentFiles::saveOwed(const std::string& draft, RecordInProgress record) noexcept {
    for (Part& part : record.parts) part.place.reset();
    record.linePlace.reset();
    try {
        saveFileAtomically(locate(progressFileOf(draft)), savedForm(record, names_));
    } catch (...) {
    }
}

// Locked and its torn tail ended, so that its length is where the next bytes go. A header that
// could not be written at start-up goes in front of the first record that lands in the send
// file, so the send file never holds a record without the header that names its student.
std::unique_ptr<AppendFile> StudentFiles::lockedForAppending(const std::string& file) {
    auto opened = std::make_unique<AppendFile>(locate(file), AppendFile::Missing::Create);
    opened->lock();
    endTornTail(*opened, Ends::AtRecordEnd);
    if (file == names_.send) appendHeader(*opened);
    return opened;
}

void StudentFiles::appendHeader(AppendFile& send) {
    if (unwrittenHeader_.empty()) return;
    writeWhole(send, unwrittenHeader_);
    send.keep();
    unwrittenHeader_.clear();
}

// Only a line that reaches neither the class file nor the outbox is a failure: the record
// then stays in progress for the class file alone.
void StudentFiles::sendToClassFile(const std::string& line, const LineHooks* hooks) {
    const Delivery delivery = deliver(line, hooks);
    learn(delivery);
    if (!delivery.lineSafe) throw RunError(delivery.unreached);
}

// The other folders' outboxes, which only another run fills, are looked at while this run may owe
// the class file lines (from the start until a delivery succeeds, and after a failure): a look on
// a network share for every record would keep the student waiting.
Delivery StudentFiles::deliver(std::string_view line, const LineHooks* hooks) {
    if (outboxMayHoldLines_) return deliverToClassFile(outboxes_, ownOutbox_, locate(kClassFile), line, hooks);
    Delivery delivery = deliverToClassFile({outboxes_[ownOutbox_]}, 0, locate(kClassFile), line, hooks);
    for (Delivery::Fault& fault : delivery.faults) fault.outbox = ownOutbox_;
    for (Delivery::LateLines& late : delivery.late) late.outbox = ownOutbox_;
    return delivery;
}

void StudentFiles::learn(const Delivery& delivery) {
    outboxMayHoldLines_ = delivery.unreached != 0 || !delivery.faults.empty();
    if (delivery.unreached != 0 && delivery.lineSafe && !unreachedTold_) {
        unreachedTold_ = true;
        news_.push_back(failureMessage(delivery.unreached));
    }
    for (const Delivery::Fault& fault : delivery.faults) {
        if (std::ranges::find(faultsTold_, fault.outbox) != faultsTold_.end()) continue;
        faultsTold_.push_back(fault.outbox);
        const std::string& outbox = names_.outboxes[fault.outbox];
        news_.push_back(fault.dateText.empty() ? outboxFaultMessage(outbox, fault.failure)
                                               : dayFileFaultMessage(outbox, fault));
    }
    for (const Delivery::LateLines& late : delivery.late) {
        news_.push_back(lateLinesMessage(late.lines, late.dateText, late.keptIn));
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
    removeLeftoverTemporaries(locate(progressFileOf(names_.draft)), startedAt_);
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
        const std::string saved = readFile(locate(progressFileOf(names_.draft)), kLargestRecordInProgress);
        inProgressOnDisk_ = true;
        inProgress_ = recordFromSavedForm(saved, names_);
    } catch (const RunError& failure) {
        if (!isMissing(failure)) inProgressOnDisk_ = true;
    }
    if (inProgress_ && inProgress_->typed != boxText) inProgress_.reset();
    if (!inProgress_ && inProgressOnDisk_) saveRecordInProgress();
}

void StudentFiles::saveRecordInProgress(Durability durability) noexcept {
    if (names_.draft.empty()) return;
    try {
        const std::filesystem::path file = locate(progressFileOf(names_.draft));
        if (inProgress_) {
            saveFileAtomically(file, savedForm(*inProgress_, names_), durability);
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
        removeFile(locate(progressFileOf(takenDrafts_.back().file)));
        takenDrafts_.pop_back();
    }
}

}  // namespace cj
