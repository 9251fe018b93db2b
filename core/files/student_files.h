#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "class_delivery.h"
#include "drive_map.h"
#include "file_names.h"
#include "computer.h"
#include "record_in_progress.h"
#include "text_files.h"

namespace cj {

// Everything written for one student, and the class file's share of it. A record reaches
// each of its files exactly once: its bytes are fixed when it is first tried, and a file that
// fails keeps it in progress, so that the next try with the same text writes those bytes to the
// files that missed them and to no other, in this run or, kept beside the draft, at the next
// start. The class file's line goes there only once the student's own files have the record;
// when the class file cannot take it, it waits in the outbox, which is delivered, in order,
// before the next line the class file takes.
class StudentFiles {
public:
    StudentFiles(const DriveMap& drives, Clock& clock);

    void name(StudentFileNames names);
    const StudentFileNames& names() const { return names_; }

    // At start-up: the master file created, the header to the send file, the class file created
    // and given what the outboxes owe it. Stops at the first failure of the student's own files
    // and throws it; a header the send file did not take goes in front of the first record that
    // lands there.
    //
    // After the master file, this copy of the program takes the first of the name's copies that
    // no running copy holds, here or on another computer, and that copy's draft, for as long as
    // it runs: a lock on one byte per copy of the in-use file, which is never replaced.
    void open(std::string header);
    // Another copy ran under the name when this one started.
    bool nameInUse() const { return nameInUse_; }
    // As many copies run under the name as may: this one is not to run, and open did nothing
    // after the master file.
    bool nameFull() const { return nameFull_; }

    // A response to the send file, then its line to the class file or else the outbox; notes to
    // the send, master and notes files. Throws the first failure of the student's own files, or
    // the class file's when its line can wait nowhere, with the record kept in progress.
    void recordResponse(const std::string& typed, float codeNbr);
    void recordNotes(const std::string& typed, const std::string& currentLine, float codeNbr);
    // The answer box no longer holds what was typed: the next click makes a new record.
    void forgetRecordInProgress();

    // What the student is to be told of since last asked, each once a run: the class file out
    // of reach, an outbox that cannot serve, a day's lines that never reached the class file.
    std::vector<std::string> news();

    // As the program ends: the outboxes are tried once more. Never throws.
    void deliverOutbox() noexcept;

    struct Draft {
        std::string text;
        LocalTime savedAt;  // of the latest draft read
    };
    // The draft an earlier run left to this copy, "" for none, followed, a line apart, by those
    // that copies of the name no longer running left under theirs; one that someone made too
    // large for an answer box is not read. Temporary drafts that a killed run left behind go.
    // The record in progress kept beside this copy's draft is taken up again when its text is
    // the answer box's.
    Draft readDraft();
    // This copy's draft file brought in line with text, an empty text removing it; then the
    // other copies' drafts that readDraft took in go, with their records in progress.
    void keepDraft(const std::string& text);

private:
    using Kind = RecordInProgress::Kind;
    using Part = RecordInProgress::Part;

    // A draft that a copy no longer running left, taken in by this one.
    struct TakenDraft {
        std::string file;
        HeldLock copyLock;  // so that no copy starting meanwhile takes it too
    };

    std::filesystem::path locate(const std::string& dosPath) const { return drives_.locate(dosPath); }
    HeldLock tryToTakeCopy(int copy) const;
    void takeCopy();
    void takeInDraftsOfOtherCopies(Draft& draft);
    void finishRecordsKilledOnTheWay();
    void finishLine(RecordInProgress& record);
    // Writes the record in progress with this text, or else a new one that compose makes.
    void write(Kind kind, const std::string& typed, const std::function<RecordInProgress()>& compose);
    // The record beside this draft is safe: the draft and the record go. A run that has not
    // read its draft does not know whether there is one.
    void forgetRecord(const std::string& draft, bool draftKnown) noexcept;
    void saveOwed(const std::string& draft, RecordInProgress record) noexcept;
    std::unique_ptr<AppendFile> lockedForAppending(const std::string& file);
    void appendHeader(AppendFile& send);
    void sendToClassFile(const std::string& line, const LineHooks* hooks = nullptr);
    Delivery deliver(std::string_view line, const LineHooks* hooks = nullptr);
    void learn(const Delivery& delivery);
    void restoreRecordInProgress(const std::string& boxText);
    // The record in progress, or none, made to outlive the run. Shows nothing: the record is
    // still completed within the run. While it is being written, it need not outlive a power cut.
    void saveRecordInProgress(Durability durability = Durability::Flushed) noexcept;

    const DriveMap& drives_;
    Clock& clock_;
    const std::chrono::system_clock::time_point startedAt_ = std::chrono::system_clock::now();
    StudentFileNames names_;
    std::vector<Outbox> outboxes_;
    std::size_t ownOutbox_ = 0;
    std::string unwrittenHeader_;
    std::optional<RecordInProgress> inProgress_;
    bool inProgressOnDisk_ = false;
    // Set whenever a delivery failed or a line went to an outbox; nothing is delivered at the
    // end of a run that never opened the files.
    bool outboxMayHoldLines_ = false;
    bool unreachedTold_ = false;
    std::vector<std::size_t> faultsTold_;
    std::vector<std::string> news_;
    // What this run last found in the draft file or left there; "" for no draft.
    std::string draftOnDisk_;
    HeldLock copyLock_;
    bool nameInUse_ = false;
    bool nameFull_ = false;
    std::vector<TakenDraft> takenDrafts_;
};

}  // namespace cj
