// A student's program killed with SIGKILL at random moments of a record, of a delivery and of
// the wait for the class file, then started again: no class line is lost or glued to a
// fragment, and each of the student's files holds each confirmed record once or twice.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <set>

#include "fakes.h"
#include "query_conversion.h"
#include "records.h"
#include "record_layouts.h"
#include "run.h"
#include "text_files.h"

namespace cj::test {
namespace {

enum class Moment { ARecord, ADelivery, TheWait };

struct KillRow {
    const char* name;
    Moment moment;
    int runs;
};

void PrintTo(const KillRow& row, std::ostream* out) { *out << row.name; }

// R a response, N notes, B a line waiting in the outbox; each its own, some longer than a page.
std::string textOf(char kind, int run, int n) {
    std::mt19937 lengths(static_cast<unsigned>(run * 1000 + n));
    return kind + std::to_string(n) + ":" + std::string(lengths() % 6000, static_cast<char>('a' + n % 26));
}
char kindOf(int n) { return n % 3 ? 'R' : 'N'; }

struct Student : FakePlatform {
    explicit Student(const std::filesystem::path& root) {
        drives = drivesUnder(root);
        dialogs.answers = {"1", "Student One", "STO", "1"};
        run.startRun();
        run.openAssignment();
    }
    void click(const std::string& text) {
        boxes.answer = text;
        text[0] == 'R' ? run.enterResponse() : run.saveAsNotes();
    }
    cj::Run run{platform()};
};

// Records until killed, telling the parent of every record confirmed; for the wait, one
// record without a draft, so that only the outbox can keep its line.
[[noreturn]] void recordUntilKilled(const std::filesystem::path& root, int run, int confirmed, bool once) {
    Student student(root);
    for (int n = 0;; ++n) {
        if (!once) student.boxes.answer = textOf(kindOf(n), run, n), student.run.keepDraft();
        student.click(textOf(once ? 'R' : kindOf(n), run, n));
        if (student.boxes.answer.empty() && write(confirmed, &n, sizeof n) != sizeof n) _exit(1);
        if (once) pause();
    }
}

std::size_t countIn(const std::string& file, const std::string& record) {
    std::size_t count = 0;
    for (std::size_t at = file.find(record); at != std::string::npos; at = file.find(record, at + 1), ++count) {
        const std::string before = file.substr(0, at);
        EXPECT_TRUE(before.empty() || before.ends_with("\n") || before.ends_with("\n" + kNotesRecordEnd)) << "glued";
    }
    return count;
}

std::string bytesOr(const std::filesystem::path& file) { return std::filesystem::exists(file) ? readBytes(file) : ""; }

class KilledAtRandom : public testing::TestWithParam<KillRow> {};

TEST_P(KilledAtRandom, LosesNoClassLineGluesNoneAndRepeatsNoRecordTwice) {
    const KillRow& row = GetParam();
    std::mt19937 random(20261207);
    for (int run = 0; run < row.runs; ++run) {
        TempDir temp;
        const auto data = temp.path() / "c" / "qorsdata", classFile = temp.path() / "i" / "responses.txt";
        std::set<std::string> owed, known;
        for (int n = 0; row.moment == Moment::ADelivery && n < 300; ++n) owed.insert(textOf('B', run, n));
        std::string waiting;
        for (const std::string& line : owed) waiting += line + "\r\n";
        writeBytes(data / "unsent_Student_One.txt", waiting);
        writeBytes(classFile, "");
        const int holder = open(classFile.c_str(), O_RDWR);
        struct flock lock {F_WRLCK, SEEK_SET, static_cast<off_t>(kLockOffset), 1, 0};
        if (row.moment == Moment::TheWait) {
            ASSERT_EQ(fcntl(holder, F_OFD_SETLK, &lock), 0);
        }

        int confirmed[2];
        ASSERT_EQ(pipe(confirmed), 0);
        const pid_t pid = fork();
        if (pid == 0) recordUntilKilled(temp.path(), run, confirmed[1], row.moment == Moment::TheWait);
        close(confirmed[1]);
        // The wait is killed once it has begun, well before it ends: its line must be in the outbox.
        if (row.moment == Moment::TheWait) owed.insert(textOf('R', run, 0));
        for (int i = 0; row.moment == Moment::TheWait && i < 1000; ++i, usleep(1000)) {
            if (bytesOr(data / "unsent_Student_One.txt").find(textOf('R', run, 0)) != std::string::npos) break;
        }
        usleep(std::uniform_int_distribution(0, row.moment == Moment::ADelivery ? 10'000 : 25'000)(random));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        close(holder);
        std::vector<int> records;
        for (int n = 0; read(confirmed[0], &n, sizeof n) == sizeof n;) records.push_back(n);
        close(confirmed[0]);
        {
            Student again(temp.path());
            again.run.restoreDraft();
            if (!again.boxes.answer.empty()) again.click(again.boxes.answer);
            again.run.finishRun();
        }

        const int last = records.empty() ? 0 : records.back() + 1;
        for (const int n : records) {
            if (kindOf(n) == 'R') owed.insert(textOf('R', run, n));
        }
        for (int n = 0; n <= last; ++n) known.insert(textOf(row.moment == Moment::TheWait ? 'R' : kindOf(n), run, n));
        known.insert(owed.begin(), owed.end());
        const std::string classBytes = readBytes(classFile), outbox = bytesOr(data / "unsent_Student_One.txt");
        const auto classLines = splitLines(classBytes);
        for (const std::string& line : owed) {
            EXPECT_TRUE(countIn(classBytes, line + "\r\n") > 0 || outbox.find(line) != std::string::npos) << "lost";
        }
        for (const std::string& line : classLines) {
            EXPECT_TRUE(std::ranges::any_of(known, [&](const std::string& k) { return k.starts_with(line); }))
                << "glued: " << line.substr(0, 40);
        }
        const std::string send = readBytes(data / "send_1207Student_One.txt");
        const std::string master = bytesOr(data / "masterFile_Student_One.txt");
        const std::string notes = bytesOr(data / "notes_Student_One.txt");
        for (int n = 0; n <= last && row.moment == Moment::ARecord; ++n) {
            const std::string text = textOf(kindOf(n), run, n), blanks(7, ' ');
            std::vector<std::size_t> counts{countIn(send, responseRecord(text))};
            if (kindOf(n) == 'N') {
                counts = {countIn(send, notesRecord("", text, blanks)), countIn(master, notesRecord("", text, "\r\n")),
                          countIn(notes, notesRecord("", text, blanks))};
            }
            const bool sure = std::ranges::find(records, n) != records.end();
            for (const std::size_t count : counts) {
                EXPECT_TRUE(count <= 2 && (!sure || count >= 1)) << "record " << n << " stands " << count << " times";
            }
        }
        if (HasFailure()) break;
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, KilledAtRandom,
                         testing::Values(KillRow{"ARecord", Moment::ARecord, 80},
                                         KillRow{"ADelivery", Moment::ADelivery, 70},
                                         KillRow{"TheWait", Moment::TheWait, 50}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::test
