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

    // At start-up: the header to the send file, the master file created, the class file created
    // and given what it is still owed. Throws the first failure; a header the send file could
    // not take goes in front of the first record that lands there.
    void open(std::string header);

    // A response to the send file, then its line to the class file or else the outbox; notes to
    // the send, master and notes files. Throws the first failure of the student's own files or
    // the outbox, with the record kept pending. Returns the class file's error number the first
    // time in the run that a line had to wait in the outbox, 0 otherwise.
    int recordResponse(const std::string& typed, float codeNbr);
    int recordNotes(const std::string& typed, const std::string& currentLine, float codeNbr);

    // As the program ends: the outbox is tried once more. Never throws.
    void deliverOutbox() noexcept;

    // The draft an earlier run left, "" for none; one that someone made too large for an answer
    // box is not read. Temporary drafts that a killed run left behind go.
    std::string readDraft();
    // The draft file brought in line with text; an empty text removes it.
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

    std::filesystem::path locate(const std::string& dosPath) const { return drives_.locate(dosPath); }
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
};

}  // namespace cj
