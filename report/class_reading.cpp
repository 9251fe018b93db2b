#include "class_reading.h"

#include <algorithm>
#include <utility>

#include "code_page.h"
#include "failure_words.h"
#include "page_text.h"
#include "record_layouts.h"
#include "run_error.h"
#include "text_files.h"
#include "utf8_text.h"

namespace cj::report {

namespace {

constexpr int kDaySeconds = 24 * 3600;

Day dayOf(const LocalTime& time) {
    return Day{std::chrono::year(time.year), std::chrono::month(static_cast<unsigned>(time.month)),
               std::chrono::day(static_cast<unsigned>(time.day))};
}

int secondsOf(const LocalTime& time) { return time.hour * 3600 + time.minute * 60 + time.second; }

void addTo(std::optional<int>& notes, int more) { notes = notes.value_or(0) + more; }

std::string whereIn(const FoundFile& file, std::uint64_t line) { return file.shownPath + ":" + std::to_string(line); }

void readLines(const FoundFile& file, const std::function<void(LineSplitter::Line)>& take) {
    LineSplitter lines(kLargestAnswer, take);
    readFileInPieces(file.path, [&](std::string_view piece) { lines.add(piece); });
    lines.finish();
}

// A send file's runs, each opened by a header that names the student and the day. A response
// carries only its time: it belongs to the day of the run's last dated line, and to the next
// day once its time falls far below the one before, as past midnight (a clock put back an hour
// is no new day).
class SendFileReadings : public RecordReadings {
public:
    SendFileReadings(ClassReading& reading, const FoundFile& file) : reading_(reading), file_(file) {}

    void header(HeaderRead header) override {
        run_ = Run{dayOf(header.when), secondsOf(header.when), studentName(header.fullName, file_.name.namePart),
                   toUtf8(header.initials), {}, false};
        if (Attendance* day = take()) {
            ++day->starts;
            day->seen(run_->lastSeconds);
        }
    }

    void record(RecordRead record) override {
        if (!run_) {
            if (!headerlessTold_)
                reading_.warn(whereIn(file_, record.line),
                              "records before any header, which names the student and the day; skipped");
            headerlessTold_ = true;
            return;
        }
        const int seconds = secondsOf(record.when);
        if (record.kind == RecordRead::Kind::Notes) {
            run_->day = dayOf(record.when);
        } else if (seconds < run_->lastSeconds - kDaySeconds / 2) {
            run_->day = Day{std::chrono::sys_days(run_->day) + std::chrono::days(1)};
        }
        run_->lastSeconds = seconds;
        if (Attendance* day = take()) {
            day->entries.push_back({record.kind, seconds, std::move(record.question), std::move(record.text)});
            day->seen(seconds);
        }
    }

    void warning(std::uint64_t line, const std::string& what) override { reading_.warn(whereIn(file_, line), what); }

private:
    // The run's day, named as its header names the student, and known to hold this file when
    // the file is named after it.
    Attendance* take() {
        Attendance* day = reading_.attendance(run_->day, file_.name.namePart);
        if (!day) return nullptr;
        if (!day->named) {
            day->name = run_->name;
            day->initials = run_->initials;
            day->named = true;
        }
        if (run_->day != run_->dayOfName) {
            const std::string date = monthFirst(run_->day);
            run_->dayOfName = run_->day;
            run_->namedAfterDay = file_.name.monthDay == date.substr(0, 2) + date.substr(3, 2);
        }
        if (run_->namedAfterDay) day->sendFiles.insert(file_.shownPath);
        return day;
    }

    struct Run {
        Day day;
        int lastSeconds;
        std::string name, initials;
        Day dayOfName{};  // the day namedAfterDay tells of
        bool namedAfterDay = false;
    };
    ClassReading& reading_;
    const FoundFile& file_;
    std::optional<Run> run_;
    bool headerlessTold_ = false;
};

// The notes and master files hold notes records alone.
class NotesCount : public RecordReadings {
public:
    NotesCount(ClassReading& reading, const FoundFile& file) : reading_(reading), file_(file) {}
    void header(HeaderRead) override {}
    void record(RecordRead record) override {
        notes += record.kind == RecordRead::Kind::Notes && reading_.holds(dayOf(record.when));
    }
    void warning(std::uint64_t line, const std::string& what) override { reading_.warn(whereIn(file_, line), what); }
    int notes = 0;

private:
    ClassReading& reading_;
    const FoundFile& file_;
};

}  // namespace

std::string nameInFileName(const std::string& namePart) {
    std::string name = namePart;
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

std::string studentName(const std::string& headerName, const std::string& namePart) {
    std::vector<Utf8Character> inFileName;
    for (std::size_t at = 0; at < namePart.size(); at += inFileName.back().length)
        inFileName.push_back(utf8CharacterAt(namePart, at));
    if (inFileName.size() != headerName.size()) return toUtf8(headerName);  // a name cut short in the file name
    // A "?" the student typed stands as "_" in the file name, which cannot hold it.
    std::string name;
    for (std::size_t i = 0; i < headerName.size(); ++i) {
        if (headerName[i] == '?' && inFileName[i].character != U'_') {
            appendUtf8(name, inFileName[i].character);
        } else {
            name += toUtf8(headerName.substr(i, 1));
        }
    }
    return name;
}

ClassReading::ClassReading(ClassReport& report, Period period, Clock& clock, Warn warn)
    : report_(report), clock_(clock), warn_(std::move(warn)) {
    report_.period = period;
}

const ListedStudent* ClassReading::listedOf(const std::string& namePart) const {
    return report_.classList ? report_.classList->find(namePart) : nullptr;
}

std::string ClassReading::keyOf(const std::string& namePart) const {
    const ListedStudent* listed = listedOf(namePart);
    return listed ? listed->key : namePart;
}

Attendance* ClassReading::attendance(Day day, const std::string& namePart) {
    if (!holds(day)) return nullptr;
    Attendance& attendance = report_.days[day][keyOf(namePart)];
    if (attendance.name.empty()) attendance.name = nameInFileName(namePart);
    return &attendance;
}

void ClassReading::read(const FoundFile& file) {
    try {
        readWhole(file);
        ++report_.filesRead;
    } catch (const RunError& failure) {
        warn(file.shownPath, "could not be read: " + failureWords(failure.number()));
    }
}

void ClassReading::readWhole(const FoundFile& file) {
    if (file.what == FoundFile::What::ClassFile) {
        report_.classFiles.push_back({file.shownPath, countLines(file)});
        return;
    }
    // Each file is read before its count is kept, so that a file that fails adds no student.
    const auto kept = [&]() -> KeptFiles& { return report_.keptFiles[keyOf(file.name.namePart)]; };
    switch (file.name.kind) {
        case StudentFileKind::Send: return readSendFile(file);
        case StudentFileKind::Notes: {
            const int notes = countNotes(file);
            return addTo(kept().notesInNotesFile, notes);
        }
        case StudentFileKind::Master: {
            const int notes = countNotes(file);
            return addTo(kept().notesInMasterFile, notes);
        }
        case StudentFileKind::Outbox: {
            const std::uint64_t lines = countLines(file);
            kept().waitingLines += lines;
            return;
        }
        case StudentFileKind::UnsentOfDay: {
            const std::uint64_t lines = countLines(file);
            kept().unsentLines += lines;
            return;
        }
        case StudentFileKind::Draft: return readDraft(file);
        case StudentFileKind::InUse: return;  // empty: only its lock tells anything, while a program runs
    }
}

void ClassReading::readSendFile(const FoundFile& file) {
    SendFileReadings readings(*this, file);
    RecordReader reader(readings);
    readLines(file, [&](LineSplitter::Line line) { reader.line(std::move(line)); });
    reader.finish();
}

int ClassReading::countNotes(const FoundFile& file) {
    NotesCount count(*this, file);
    RecordReader reader(count);
    readLines(file, [&](LineSplitter::Line line) { reader.line(std::move(line)); });
    reader.finish();
    return count.notes;
}

std::uint64_t ClassReading::countLines(const FoundFile& file) {
    std::uint64_t lines = 0;
    readLines(file, [&](const LineSplitter::Line&) { ++lines; });
    return lines;
}

// A draft has no date of its own: it is the answer box as it stood when last written, so it
// belongs to the day the file was last written.
void ClassReading::readDraft(const FoundFile& file) {
    std::string draft = readFile(file.path, kLargestAnswer);
    if (draft.empty()) return;
    const LocalTime written = clock_.lastWritten(file.path);
    if (Attendance* day = attendance(dayOf(written), file.name.namePart)) {
        day->draft = std::move(draft);
        day->seen(secondsOf(written));
    }
}

}  // namespace cj::report
