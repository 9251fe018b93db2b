#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "record_reader.h"

namespace cj::report {

// What the report found, gathered from every file before the page and the table are written.
// Students are told apart by the name part of their file names; texts that the files hold stay
// Windows-1252 until they are written out, names and paths are UTF-8.

using Day = std::chrono::year_month_day;

struct Entry {
    RecordRead::Kind kind;
    int seconds;  // since midnight
    std::string question, text;
};

// One student on one day.
struct Attendance {
    std::string name, initials;
    int starts = 0;  // headers: the times the program was opened
    std::vector<Entry> entries;
    int firstSeconds = -1, lastSeconds = -1;
    std::optional<std::string> draft;  // an answer typed and never recorded

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

struct ClassReport {
    std::vector<std::string> inputs;
    std::map<Day, std::map<std::string, Attendance>, std::greater<>> days;  // newest first
    std::map<std::string, KeptFiles> keptFiles;
    std::vector<ClassFileCount> classFiles;
    std::vector<std::string> warnings;
    int filesRead = 0;
};

}  // namespace cj::report
