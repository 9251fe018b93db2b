// Flushes and closes that fail after every byte was written. This executable stands in for the
// C library's fsync and close (the file layer's calls resolve to these), which only a POSIX
// link can do, so it is built apart from the other tests.

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>

#include "fakes.h"
#include "run_error.h"
#include "text_files.h"

namespace {

int failingFsyncs = 0;
int failingCloses = 0;

template <typename Call>
Call real(const char* name) {
    return reinterpret_cast<Call>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
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

namespace cj::test {
namespace {

struct FlushRow {
    const char* name;
    void (*append)(const std::filesystem::path&, std::string_view);
    int* failing;
};

class FlushFailure : public testing::TestWithParam<FlushRow> {};

TEST_P(FlushFailure, LeavesNoRecordBehindAndTheRetryLandsOnce) {
    const FlushRow& row = GetParam();
    TempDir temp;
    const auto file = temp.path() / "f.txt";
    writeBytes(file, "old\r\n");
    *row.failing = 1;
    try {
        row.append(file, "record\r\n");
        ADD_FAILURE() << "the failure was not reported";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), kDeviceIoError);
    }
    *row.failing = 0;
    EXPECT_EQ(readBytes(file), "old\r\n");
    row.append(file, "record\r\n");
    EXPECT_EQ(readBytes(file), "old\r\nrecord\r\n");
}

INSTANTIATE_TEST_SUITE_P(Appends, FlushFailure,
                         testing::Values(FlushRow{"Fsync", appendToFile, &failingFsyncs},
                                         FlushRow{"Close", appendToFile, &failingCloses}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::test
