#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "drive_map.h"
#include "file_names.h"
#include "platform.h"
#include "text_files.h"

namespace cj {

// Far more than anyone types into an answer box; a larger text is someone else's doing.
inline constexpr std::uint64_t kLargestAnswer = 16u << 20;

// Everything written for one student, and the class file's share of it. A record reaches
// each of its files exactly once: its bytes are fixed when it is first tried, and a file that
// fails keeps it pending, so that the next try with the same text writes those bytes to the
// files that missed them and to no other. The class file's line goes there only once the
// student's own files have the record; when the class file cannot take it, it waits in the
// outbox, which is delivered, in order, before the next line the class file takes.
class StudentFiles {
public:
    StudentFiles(const DriveMap& drives, Clock& clock);

    void name(StudentFileNames names) { names_ = std::move(names); }
    const StudentFileNames& names() const { return names_; }

    // At start-up: the master file created, the header to the send file, the class file created
    // and given what it is still owed. Stops at the first failure and throws it; a header the
    // send file did not take goes in front of the first record that lands there.
    //
    // After the master file, this copy of the program takes the first of the name's copies that
    // no running copy holds, here or on another computer, and that copy's draft, for as long as
    // it runs: a lock on one byte per copy of the in-use file, which is never replaced.
    void open(std::string header);
    // Another copy ran under the name when this one started.
    bool nameInUse() const { return nameInUse_; }

    // A response to the send file, then its line to the class file or else the outbox; notes to
    // the send, master and notes files. Throws the first failure of the student's own files or
    // the outbox, with the record kept pending. Returns the class file's error number the first
    // time in the run that a line had to wait in the outbox, 0 otherwise.
    int recordResponse(const std::string& typed, float codeNbr);
    int recordNotes(const std::string& typed, const std::string& currentLine, float codeNbr);

    // As the program ends: the outbox is tried once more. Never throws.
    void deliverOutbox() noexcept;

    struct Draft {
        std::string text;
        LocalTime savedAt;  // of the latest draft read
    };
    // The draft an earlier run left to this copy, "" for none, followed, a line apart, by those
    // that copies of the name no longer running left under theirs; one that someone made too
    // large for an answer box is not read. Temporary drafts that a killed run left behind go.
    Draft readDraft();
    // This copy's draft file brought in line with text, an empty text removing it; then the
    // other copies' drafts that readDraft took in go.
    void keepDraft(const std::string& text);

private:
    enum class Kind { Response, Notes };
    struct Part {
        std::string file;
        std::string bytes;
        bool landed = false;
    };
    struct Record {
        Kind kind;
        std::string typed;
        std::vector<Part> parts;          // the student's own files, the send file first
        std::optional<std::string> classLine;
    };

    // A draft that a copy no longer running left, taken in by this one.
    struct TakenDraft {
        std::string file;
        HeldLock copyLock;  // so that no copy starting meanwhile takes it too
    };

    std::filesystem::path locate(const std::string& dosPath) const { return drives_.locate(dosPath); }
    HeldLock tryToTakeCopy(int copy) const;
    void takeCopy();
    void takeInDraftsOfOtherCopies(Draft& draft);
    // Writes the pending record with this text, or else a new one that compose makes.
    int write(Kind kind, const std::string& typed, const std::function<Record()>& compose);
    void append(const Part& part);
    int sendToClassFile(const std::string& line);
    int firstTimeUnreached(int failure);

    const DriveMap& drives_;
    Clock& clock_;
    const std::chrono::system_clock::time_point startedAt_ = std::chrono::system_clock::now();
    StudentFileNames names_;
    std::string unwrittenHeader_;
    std::optional<Record> pending_;
    // Set whenever a delivery failed or a line went to the outbox; nothing is delivered at the
    // end of a run that never opened the files.
    bool outboxMayHoldLines_ = false;
    bool unreachedTold_ = false;
    // What this run last found in the draft file or left there; "" for no draft.
    std::string draftOnDisk_;
    HeldLock copyLock_;
    bool nameInUse_ = false;
    std::vector<TakenDraft> takenDrafts_;
};

}  // namespace cj
