#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "class_delivery.h"
#include "drive_map.h"
#include "file_names.h"
#include "platform.h"
#include "record_in_progress.h"

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

    // At start-up: the header to the send file, the master file created, the class file created
    // and given what the outboxes owe it. Throws the first failure of the student's own files;
    // a header the send file could not take goes in front of the first record that lands there.
    void open(std::string header);

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

    // The draft an earlier run left, "" for none; one that someone made too large for an answer
    // box is not read. Temporary drafts that a killed run left behind go. The record in
    // progress kept beside it is taken up again when its text is the draft's.
    std::string readDraft();
    // The draft file brought in line with text; an empty text removes it.
    void keepDraft(const std::string& text);

private:
    using Kind = RecordInProgress::Kind;
    using Part = RecordInProgress::Part;

    std::filesystem::path locate(const std::string& dosPath) const { return drives_.locate(dosPath); }
    // Writes the record in progress with this text, or else a new one that compose makes.
    void write(Kind kind, const std::string& typed, const std::function<RecordInProgress()>& compose);
    void append(const Part& part);
    void sendToClassFile(const std::string& line);
    // What the student is to be told of a delivery; at start, when the student's own files failed,
    // that failure alone.
    void learn(const Delivery& delivery, bool tellUnreached = true);
    void restoreRecordInProgress(const std::string& draft);
    // The record in progress, or none, made to outlive the run. Shows nothing: the record is
    // still completed within the run, and only a restart would repeat it.
    void saveRecordInProgress() noexcept;

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
};

}  // namespace cj
