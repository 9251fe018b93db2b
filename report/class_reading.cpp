#include "class_reading.h"

#include <algorithm>
#include <utility>

#include "code_page.h"
#include "run_error.h"
#include "student_files.h"
#include "text_files.h"

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
        run_ = Run{dayOf(header.when), secondsOf(header.when)};
        if (Attendance* day = reading_.attendance(run_->day, file_.name.namePart)) {
            if (day->starts++ == 0) {
                day->name = studentName(header.fullName, file_.name.namePart);
                day->initials = toUtf8(header.initials);
            }
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
        if (Attendance* day = reading_.attendance(run_->day, file_.name.namePart)) {
            day->entries.push_back({record.kind, seconds, std::move(record.question), std::move(record.text)});
            day->seen(seconds);
        }
    }

    void warning(std::uint64_t line, const std::string& what) override { reading_.warn(whereIn(file_, line), what); }

private:
    struct Run {
        Day day;
        int lastSeconds;
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
    void record(RecordRead record) override { notes += record.kind == RecordRead::Kind::Notes; }
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
    return headerName.find('?') == std::string::npos ? toUtf8(headerName) : nameInFileName(namePart);
}

ClassReading::ClassReading(ClassReport& report, Period period, Clock& clock, Warn warn)
    : report_(report), period_(period), clock_(clock), warn_(std::move(warn)) {}

Attendance* ClassReading::attendance(Day day, const std::string& namePart) {
    if (!period_.holds(day)) return nullptr;
    Attendance& attendance = report_.days[day][namePart];
    if (attendance.name.empty()) attendance.name = nameInFileName(namePart);
    return &attendance;
}

void ClassReading::read(const FoundFile& file) {
    try {
        readWhole(file);
        ++report_.filesRead;
    } catch (const RunError& failure) {
        warn(file.shownPath, "could not be read (error " + std::to_string(failure.number()) + ")");
    }
}

void ClassReading::readWhole(const FoundFile& file) {
    if (file.what == FoundFile::What::ClassFile) {
        report_.classFiles.push_back({file.shownPath, countLines(file)});
        return;
    }
    // Each file is read before its count is kept, so that a file that fails adds no student.
    const auto kept = [&]() -> KeptFiles& { return report_.keptFiles[file.name.namePart]; };
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
    if (Attendance* day = attendance(dayOf(clock_.lastWritten(file.path)), file.name.namePart)) {
        day->draft = std::move(draft);
    }
}

}  // namespace cj::report
