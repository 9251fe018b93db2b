#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "line_splitter.h"
#include "computer.h"

namespace cj {

// Reading back what record_layouts.h writes: the send file's headers, and the response and
// notes records of the send, notes and master files. Texts stay Windows-1252, their inner line
// ends CR LF.

struct HeaderRead {
    std::string fullName, assignmentNumber, assignmentLine, initials;
    LocalTime when;  // date and time
    std::uint64_t line = 0;
};

struct RecordRead {
    enum class Kind { Response, Notes } kind = Kind::Response;
    LocalTime when;        // the time; for notes the date too
    std::string question;  // the notes' script line; a response carries none
    std::string text;      // without the label
    std::uint64_t line = 0;
};

class RecordReadings {
public:
    virtual ~RecordReadings() = default;
    virtual void header(HeaderRead header) = 0;
    virtual void record(RecordRead record) = 0;
    // Something passed over, named by its first line.
    virtual void warning(std::uint64_t line, const std::string& what) = 0;
};

// Takes a file's lines in order and hands on each header and each whole record. A record cut
// short, one larger than any answer, and lines that belong to no record are passed over with
// one warning each, and reading goes on at the next header or record; a record that begins
// on the line where notes end is found there as the writer put it.
class RecordReader {
public:
    explicit RecordReader(RecordReadings& readings) : readings_(readings) {}

    void line(LineSplitter::Line line);
    // At the end of the file.
    void finish();

private:
    enum class State { Between, InResponse, InNotes };

    void step();
    void stepBetween();
    void stepInText();
    bool headerAhead() const;
    bool responseAhead() const;
    bool notesAhead() const;
    bool recordAhead() const { return headerAhead() || responseAhead() || notesAhead(); }
    bool gluedAhead() const;
    void cutShort();
    void endRecord();
    void pop() { window_.pop_front(); }

    RecordReadings& readings_;
    std::deque<LineSplitter::Line> window_;
    State state_ = State::Between;
    RecordRead partial_;
    bool textStarted_ = false;
    bool inStray_ = false;
};

}  // namespace cj
