#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "class_list.h"
#include "record_reader.h"

namespace cj::report {

// What the report found, gathered from every file before the page and the tables are written.
// Texts that the files hold stay Windows-1252 until they are written out, names and paths are
// UTF-8.

using Day = std::chrono::year_month_day;

// The days the report covers; either end may be open.
struct Period {
    std::optional<Day> from, to;
    bool holds(Day day) const { return (!from || day >= *from) && (!to || day <= *to); }
    bool whole() const { return !from && !to; }
};

struct Entry {
    RecordRead::Kind kind;
    int seconds;  // since midnight
    std::string question, text;
};

// One student on one day.
struct Attendance {
    std::string name, initials;
    bool named = false;  // by a header, not only by the file name
    int starts = 0;  // headers: the times the program was opened
    std::vector<Entry> entries;
    int firstSeconds = -1, lastSeconds = -1;
    std::optional<std::string> draft;  // an answer typed and never recorded
    std::set<std::string> sendFiles;   // those named after this day that hold some of it

    void seen(int seconds);
    int count(RecordRead::Kind kind) const;
};

// What a student's files other than the send files hold.
struct KeptFiles {
    std::optional<int> notesInNotesFile, notesInMasterFile;
    std::uint64_t waitingLines = 0;  // class-file lines in the outbox
    std::uint64_t unsentLines = 0;   // class-file lines of earlier days, which never reached it
};

struct ClassFileCount {
    std::string path;
    std::uint64_t lines = 0;
};

// Students are keyed by the name part of their file names, or, for a student on the class
// list, by the listed name's.
struct ClassReport {
    std::vector<std::string> inputs;
    Period period;
    std::optional<ClassList> classList;
    std::map<Day, std::map<std::string, Attendance>, std::greater<>> days;  // newest first
    std::map<std::string, KeptFiles> keptFiles;
    std::vector<ClassFileCount> classFiles;
    std::vector<std::string> warnings;
    int filesRead = 0;
};

}  // namespace cj::report
