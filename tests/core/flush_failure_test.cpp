// Flushes and closes that fail after every byte was written, and an outbox that cannot be
// emptied. This executable stands in for the C library's fsync, close and ftruncate (the file
// layer's calls resolve to these), which only a POSIX link can do, so it is built apart from the
// other tests.

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <utility>

#include "appends.h"
#include "class_delivery.h"
#include "fakes.h"
#include "run_error.h"

namespace {

int failingFsyncs = 0;
int failingCloses = 0;
int failingTruncates = 0;
// When set, another program appends this line, without any lock, just before the next flush.
const char* interloper = nullptr;
std::filesystem::path interloperFile;

template <typename Call>
Call real(const char* name) {
    return reinterpret_cast<Call>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
    if (interloper) {
        std::ofstream(interloperFile, std::ios::binary | std::ios::app) << std::exchange(interloper, nullptr);
    }
    if (failingFsyncs > 0) {
        --failingFsyncs;
        errno = EIO;
        return -1;
    }
    return real<int (*)(int)>("fsync")(fd);
}

// Like a network file system reporting a lost write at close: the descriptor is gone all the same.
extern "C" int close(int fd) {
    const int closed = real<int (*)(int)>("close")(fd);
    if (failingCloses > 0 && closed == 0) {
        --failingCloses;
        errno = EIO;
        return -1;
    }
    return closed;
}

extern "C" int ftruncate(int fd, off_t length) {
    if (failingTruncates > 0) return --failingTruncates, errno = EIO, -1;
    return real<int (*)(int, off_t)>("ftruncate")(fd, length);
}

namespace cj::test {
namespace {

struct FlushRow {
    const char* name;
    int* failing;
    bool throughTheOutbox;
};

void PrintTo(const FlushRow& row, std::ostream* os) { *os << row.name; }

class FlushFailure : public testing::TestWithParam<FlushRow> {};

TEST_P(FlushFailure, LeavesNoRecordBehindAndTheRetryLandsOnce) {
    const FlushRow& row = GetParam();
    TempDir temp;
    const auto file = temp.path() / "f.txt";
    const auto outbox = temp.path() / "unsent.txt";
    writeBytes(file, "old\r\n");
    if (row.throughTheOutbox) writeBytes(outbox, "waiting\r\n");
    const auto append = [&] {
        if (!row.throughTheOutbox) return appendToFile(file, "record\r\n");
        const Outbox box{outbox, {}, temp.path() / "unsent.rec"};
        if (const int unreached = deliverToClassFile({box}, 0, file, "").unreached) throw RunError(unreached);
    };
    *row.failing = 1;
    EXPECT_EQ(errorOf(append), kDeviceIoError);
    *row.failing = 0;
    EXPECT_EQ(readBytes(file), "old\r\n");
    append();
    EXPECT_EQ(readBytes(file), row.throughTheOutbox ? "old\r\nwaiting\r\n" : "old\r\nrecord\r\n");
    if (row.throughTheOutbox) {
        EXPECT_EQ(readBytes(outbox), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Appends, FlushFailure,
                         testing::Values(FlushRow{"Fsync", &failingFsyncs, false},
                                         FlushRow{"Close", &failingCloses, false},
                                         FlushRow{"OutboxDeliveryFsync", &failingFsyncs, true},
                                         FlushRow{"OutboxDeliveryClose", &failingCloses, true},
                                         FlushRow{"OutboxEmptying", &failingTruncates, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The same student running twice, or an older program that takes no lock: a line that lands
// after ours is someone else's, and a failure of ours must not cut it away.
TEST(FlushFailure, NeverCutsBackALineAnotherProgramAppended) {
    TempDir temp;
    const auto file = temp.path() / "f.txt";
    writeBytes(file, "old\r\n");
    interloperFile = file;
    interloper = "theirs\r\n";
    failingFsyncs = 1;
    EXPECT_EQ(errorOf([&] { appendToFile(file, "record\r\n"); }), kDeviceIoError);
    EXPECT_EQ(readBytes(file), "old\r\nrecord\r\ntheirs\r\n");
}

}  // namespace
}  // namespace cj::test
