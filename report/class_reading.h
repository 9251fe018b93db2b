#pragma once

#include <optional>

#include "class_report.h"
#include "file_discovery.h"
#include "computer.h"

namespace cj::report {

// Reads found files into the report, each streamed line by line. What cannot be read, or not
// whole, is reported through warn and passed over; the rest of the file still counts.
class ClassReading {
public:
    ClassReading(ClassReport& report, Period period, Clock& clock, Warn warn);

    // Counted as read when it could be read to its end.
    void read(const FoundFile& file);

    // The student's day, made when first met and named by the file name until a header names
    // it; nothing for a day outside the period. A student on the class list has one under the
    // listed name's key, whatever the spelling.
    Attendance* attendance(Day day, const std::string& namePart);
    bool holds(Day day) const { return report_.period.holds(day); }
    void warn(const std::string& where, const std::string& what) const { warn_(where, what); }

private:
    void readWhole(const FoundFile& file);
    void readSendFile(const FoundFile& file);
    void readDraft(const FoundFile& file);
    int countNotes(const FoundFile& file);
    std::uint64_t countLines(const FoundFile& file);
    const ListedStudent* listedOf(const std::string& namePart) const;
    std::string keyOf(const std::string& namePart) const;

    ClassReport& report_;
    Clock& clock_;
    Warn warn_;
};

// The name as the file name holds it, blanks written as "_".
std::string nameInFileName(const std::string& namePart);

// How the page names a student: as the header does, but where the header shows "?" for a
// character the code page lacks, as the file name, which holds it, does.
std::string studentName(const std::string& headerName, const std::string& namePart);

}  // namespace cj::report
