// A student's program killed at every call that changes a file, then started again, the student
// doing what the window invites. This executable stands in for those calls of the C library
// (the file layer's calls resolve to these), which only a POSIX link can do.

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <utility>

#include "fakes.h"
#include "file_names.h"
#include "records.h"
#include "run.h"
#include "text_files.h"

namespace {

int callsLeft = 0;  // the call that brings it to 0 is killed; 0 when nothing is to be killed
bool tearing = false;

// The C library's own call, unless it is the one to be killed.
template <typename Result, typename... Args>
Result passOn(const char* name, Args... args) {
    const auto call = reinterpret_cast<Result (*)(Args...)>(dlsym(RTLD_NEXT, name));
    if (callsLeft > 0 && --callsLeft == 0) kill(getpid(), SIGKILL);
    return call(args...);
}

}  // namespace

// Tearing, the write that is killed puts half its bytes first.
extern "C" ssize_t write(int fd, const void* bytes, size_t size) {
    if (tearing && callsLeft == 1) std::exchange(callsLeft, 0), passOn<ssize_t>("write", fd, bytes, size / 2), callsLeft = 1;
    return passOn<ssize_t>("write", fd, bytes, size);
}
extern "C" int fsync(int fd) { return passOn<int>("fsync", fd); }
extern "C" int rename(const char* from, const char* to) { return passOn<int>("rename", from, to); }
extern "C" int unlink(const char* file) { return passOn<int>("unlink", file); }

namespace cj::test {
namespace {

struct KillRow {
    const char* name;
    char command;  // R a response, N notes, D a start that delivers hundreds of waiting lines
    bool tearing;  // killed halfway through a write rather than before it
    bool classFileHeld;  // for a moment, by another program: the response waits
    bool nextDay;  // the start after the kill
};
void PrintTo(const KillRow& row, std::ostream* out) { *out << row.name; }

const std::string kText = "my answer";

struct Student : FakePlatform {
    Student(const std::filesystem::path& root, bool nextDay) {
        drives = drivesUnder(root);
        if (nextDay) clock.time.day += 1;
        dialogs.answers = {"1", "Student One", "STO", "1"};
        run.startRun();
        run.openAssignment();
    }
    void click(char command) { command == 'N' ? run.saveAsNotes() : run.enterResponse(); }
    cj::Run run{platform()};
};

std::size_t count(const std::string& bytes, const std::string& part) {
    std::size_t n = 0;
    for (auto at = bytes.find(part); at != std::string::npos; at = bytes.find(part, at + 1)) ++n;
    return n;
}

// A send file of two starts holds their two headers and whole records, and no fragment.
bool twoHeadersAnd(std::string send, const std::string& record) {
    for (auto at = send.find(record); at != std::string::npos; at = send.find(record)) send.erase(at, record.size());
    return send.size() % 2 == 0 && send.substr(0, send.size() / 2) == send.substr(send.size() / 2);
}

class KilledAtEveryCall : public testing::TestWithParam<KillRow> {};

TEST_P(KilledAtEveryCall, LeavesEveryAnswerOnceInEachOfItsFiles) {
    const KillRow& row = GetParam();
    bool ranToItsEnd = false;
    for (int call = 1; !ranToItsEnd && !HasFailure(); ++call) {
        TempDir temp;
        const auto data = temp.path() / "c" / "qorsdata", classFile = temp.path() / "i" / "responses.txt";
        const auto bytesOf = [](const auto& file) { return std::filesystem::exists(file) ? readBytes(file) : ""; };
        std::string waiting;
        for (int n = 0; row.command == 'D' && n < 300; ++n) waiting += "B" + std::to_string(n) + " waited in the outbox\r\n";
        writeBytes(data / fileNamesOf().outbox, waiting);
        if (const pid_t child = fork(); child == 0) {
            tearing = row.tearing;
            if (row.command == 'D') callsLeft = call;
            Student student(temp.path(), false);
            if (row.command != 'D') {
                student.boxes.answer = kText;
                student.run.keepDraft();
                std::unique_ptr<AppendFile> other;
                if (row.classFileHeld) (other = std::make_unique<AppendFile>(classFile, AppendFile::Missing::Create))->lock();
                std::thread letGo([&] { other ? usleep(20000) : 0, other.reset(); });
                callsLeft = call;
                student.click(row.command);
                letGo.join();
            }
            student.run.finishRun();
            _exit(0);
        } else {
            int status = 0;
            ranToItsEnd = waitpid(child, &status, 0) == child && WIFEXITED(status);
        }
        const std::string classBefore = bytesOf(classFile);
        Student again(temp.path(), row.nextDay);
        again.run.restoreDraft();
        EXPECT_TRUE(again.dialogs.messages.size() <= 1u);
        if (!again.boxes.answer.empty()) again.click(row.command);
        again.run.finishRun();
        const std::string classBytes = bytesOf(classFile);
        EXPECT_FALSE(std::filesystem::exists(data / fileNamesOf().draft)) << call;
        EXPECT_EQ(bytesOf(data / fileNamesOf().outbox), "") << call;
        if (row.command == 'D') {
            EXPECT_EQ(classBytes, waiting) << call;
        } else if (row.command == 'N') {
            const std::string record = notesRecord("", kText, "       ");
            EXPECT_EQ(bytesOf(data / fileNamesOf().notes), record) << call;
            EXPECT_EQ(bytesOf(data / fileNamesOf().master), notesRecord("", kText, "\r\n")) << call;
            const std::string send = bytesOf(data / fileNamesOf().send);
            EXPECT_TRUE(count(send, record) == 1 && twoHeadersAnd(send, record)) << call;
        } else {
            const std::string record = responseRecord(kText), line = kText + "\r\n";
            const std::string thatDay = bytesOf(data / fileNamesOf().send), today = bytesOf(data / fileNamesOf("Student One", dateText(again.clock.time)).send);
            EXPECT_EQ(count(thatDay, record) + (row.nextDay ? count(today, record) : 0), 1u) << call;
            EXPECT_TRUE(row.nextDay || twoHeadersAnd(thatDay, record)) << call;
            const std::string unsent = bytesOf(data / unsentOfDay(fileNamesOf().outbox, dateText(FixedClock().time)));
            EXPECT_EQ(count(classBytes, line) + count(unsent, line), 1u) << call;
            // A record of the day before never reaches the class file on the day after.
            if (row.nextDay && count(thatDay, record) == 1) {
                EXPECT_EQ(classBytes, classBefore) << call;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Moments, KilledAtEveryCall,
    testing::Values(KillRow{"AResponse", 'R', false, false, false}, KillRow{"AResponseTorn", 'R', true, false, false},
                    KillRow{"ANote", 'N', false, false, false}, KillRow{"ANoteTorn", 'N', true, false, false},
                    KillRow{"ADelivery", 'D', false, false, false}, KillRow{"ADeliveryTorn", 'D', true, false, false},
                    KillRow{"TheWait", 'R', false, true, false}, KillRow{"AResponseThenTheNextDay", 'R', false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::test
