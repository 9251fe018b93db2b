#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <chrono>
#include <functional>
#include <memory>
#include <set>
#include <thread>
#include <tuple>

#include "appends.h"
#include "child_process.h"
#include "class_delivery.h"
#include "failure_messages.h"
#include "long_path_windows.h"
#include "many_students.h"
#include "query_conversion.h"
#include "run_error.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

using namespace std::chrono_literals;
using testing::ElementsAre;

// Holds the shared file's lock byte, as another student's program does while it appends:
// args are the file, a file to create once the lock is held, and how long to hold it.
int holdLockByte(const std::vector<std::wstring>& args) {
    const HANDLE file = ::CreateFileW(args.at(0).c_str(), FILE_APPEND_DATA | FILE_READ_DATA | SYNCHRONIZE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(kLockOffset);
    if (file == INVALID_HANDLE_VALUE || !::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) return 1;
    createFile(args.at(1));
    ::Sleep(static_cast<DWORD>(std::stoul(args.at(2))));
    ::UnlockFileEx(file, 0, 1, 0, &at);
    ::CloseHandle(file);
    return 0;
}

int oneStudent(const std::vector<std::wstring>& args) { return studentProcess(args.at(0), std::stoi(args.at(1))); }

[[maybe_unused]] const bool kRoles = addChildRole(L"hold-lock-byte", holdLockByte) && addChildRole(L"student", oneStudent);

class LockHolder {
public:
    LockHolder(const std::filesystem::path& file, std::chrono::milliseconds hold)
        : ready_(file.parent_path() / "lock-held"),
          process_(L"hold-lock-byte", {file.native(), ready_.native(), std::to_wstring(hold.count())}) {
        while (!std::filesystem::exists(ready_)) std::this_thread::sleep_for(5ms);
    }
    int wait() { return process_.wait(); }

private:
    std::filesystem::path ready_;
    ChildProcess process_;
};

// Holds file as a reader that shares neither writing nor deleting, and lets go after hold.
std::jthread holdAsReader(const std::filesystem::path& file, std::chrono::milliseconds hold) {
    const HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    return std::jthread([=] { std::this_thread::sleep_for(hold), ::CloseHandle(held); });
}

// Maps file as a viewer does, which keeps anyone from shortening it until the view goes.
std::shared_ptr<void> mapAsViewer(const std::filesystem::path& file) {
    const HANDLE open =
        ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_VALID_FLAGS, nullptr, OPEN_EXISTING, 0, nullptr);
    const HANDLE mapping = ::CreateFileMappingW(open, nullptr, PAGE_READONLY, 0, 0, nullptr);
    void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ::CloseHandle(mapping), ::CloseHandle(open);
    return {view, ::UnmapViewOfFile};
}

struct NameRow {
    std::string typed;
    std::wstring inFileName;
};

class StudentNames : public RunFixture, public testing::WithParamInterface<NameRow> {};

TEST_P(StudentNames, GiveFileNamesInUtf16AsTyped) {
    start("1", GetParam().typed, "S", "1");
    const auto folder = temp.path() / L"c" / L"qorsdata";
    const auto send = folder / (L"send_1207" + GetParam().inFileName + L".txt");
    ASSERT_TRUE(std::filesystem::exists(send));
    EXPECT_TRUE(std::filesystem::exists(folder / (L"masterFile_" + GetParam().inFileName + L".txt")));
    EXPECT_EQ(splitLines(readFile(send)).at(1), "Student Name:  " + GetParam().typed);
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Windows, StudentNames,
                         testing::Values(NameRow{"Zo\xEB", L"Zo\u00EB"}, NameRow{"\x80uro Ann", L"\u20ACuro_Ann"},
                                         NameRow{"Student One", L"Student_One"}));

class RunOnWindows : public RunFixture {};

TEST_F(RunOnWindows, CreatesTheDataDirectoryAndRecords) {
    start("1", "Student One", "STO", "1");
    EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "c" / "qorsdata"));
    boxes.answer = "OK";
    run().enterResponse();
    EXPECT_EQ(readBytes(onDrive('i', "responses.txt")), "OK\r\n");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RunOnWindows, AMissingFolderGives76AndAMissingNotesFile53) {
    start("2", "Student One", "STO", "1");  // the class's folder was never made on drive i:
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathNotFound)));
    dialogs.messages.clear();
    run().displayNotes();
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kPathNotFound)));

    cj::Run home(platform());
    dialogs.messages.clear();
    dialogs.answers = {"1", "Student One", "STO", "1"};
    home.startRun();
    home.openAssignment();
    home.displayNotes();
    EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kFileNotFound)));
}

TEST(DrivesOnWindows, AreTheDrivesThemselves) {
    const DriveMap drives = DriveMap::forThisComputer();
    EXPECT_EQ(drives.locate("i:\\responses.txt").native(), L"i:\\responses.txt");
    EXPECT_EQ(drives.locate("C:\\qorsdata\\notes_Zo\xC3\xAB.txt").native(), L"c:\\qorsdata\\notes_Zo\u00EB.txt");
}

struct FailureRow {
    const char* what;
    std::function<void(const std::filesystem::path& folder)> action;
    int number;
};

void PrintTo(const FailureRow& row, std::ostream* out) { *out << row.what; }

class FileFailures : public testing::TestWithParam<FailureRow> {};

TEST_P(FileFailures, CarryTheirNumbers) {
    TempDir temp;
    EXPECT_EQ(errorOf([&] { GetParam().action(temp.path()); }), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, FileFailures,
    testing::Values(
        FailureRow{"read a missing file", [](const auto& d) { readFile(d / "missing.txt"); }, kFileNotFound},
        FailureRow{"read in a missing folder", [](const auto& d) { readFile(d / "no" / "f.txt"); }, kPathNotFound},
        FailureRow{"append in a missing folder", [](const auto& d) { appendToFile(d / "no" / "f.txt", "x"); },
                   kPathNotFound},
        FailureRow{"create in a missing folder", [](const auto& d) { createFile(d / "no" / "f.txt"); }, kPathNotFound},
        FailureRow{"append to a folder", [](const auto& d) { appendToFile(d, "x"); }, kPathFileAccessError},
        FailureRow{"append to a file another program holds alone",
                   [](const auto& d) {
                       createFile(d / "f.txt");
                       const HANDLE alone = ::CreateFileW((d / "f.txt").c_str(), GENERIC_READ, 0, nullptr,
                                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                       const int number = errorOf([&] { appendToFile(d / "f.txt", "x"); });
                       ::CloseHandle(alone);
                       throw RunError(number);
                   },
                   kPermissionDenied},
        FailureRow{"read a folder", [](const auto& d) { readFile(d); }, kPathFileAccessError},
        FailureRow{"a name Windows refuses", [](const auto& d) { createFile(d / "a<b>.txt"); }, kBadFileName},
        FailureRow{"append to a device", [](const auto& d) { appendToFile(d / "nul", "x"); }, kPathFileAccessError},
        FailureRow{"save over a folder", [](const auto& d) { saveFileAtomically(d, "x"); }, kPathFileAccessError},
        FailureRow{"remove a folder", [](const auto& d) { removeFile(d); }, kPathFileAccessError}),
    [](const auto& row) {
        std::string name;
        for (const char c : std::string(row.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(WindowsErrorNumbers, FollowTheFamilyOfThePosixOnes) {
    const std::tuple<DWORD, bool, int> rows[] = {
        {ERROR_FILE_NOT_FOUND, true, kFileNotFound},   {ERROR_FILE_NOT_FOUND, false, kPathNotFound},
        {ERROR_PATH_NOT_FOUND, true, kPathNotFound},   {ERROR_BAD_NETPATH, false, kPathNotFound},
        {ERROR_BAD_NET_NAME, false, kPathNotFound},    {ERROR_ACCESS_DENIED, false, kPermissionDenied},
        {ERROR_SHARING_VIOLATION, false, kPermissionDenied}, {ERROR_LOCK_VIOLATION, false, kPermissionDenied},
        {ERROR_DISK_FULL, false, kDiskFull},           {ERROR_HANDLE_DISK_FULL, false, kDiskFull},
        {ERROR_INVALID_NAME, false, kBadFileName},     {ERROR_FILENAME_EXCED_RANGE, false, kBadFileName},
        {ERROR_NOT_READY, false, kPathFileAccessError},
        {ERROR_NETNAME_DELETED, false, kDeviceIoError}, {1295 /* disk quota exceeded */, false, kDiskFull},
        {ERROR_WRITE_PROTECT, false, kPermissionDenied}, {ERROR_NOT_ENOUGH_MEMORY, false, kOutOfMemory},
    };
    for (const auto& [systemError, reading, number] : rows) {
        EXPECT_EQ(errorNumberOf(static_cast<int>(systemError), reading), number) << systemError;
    }
}

TEST(WindowsFiles, AppendSaveAndRemove) {
    TempDir temp;
    const auto file = temp.path() / "f.txt";
    appendToFile(file, "ab\r\n");
    appendToFile(file, std::string("\0\xFF", 2));
    EXPECT_EQ(readFile(file), std::string("ab\r\n\0\xFF", 6));
    saveFileAtomically(file, "saved");
    saveFileAtomically(file, "again");
    EXPECT_EQ(readFile(file), "again");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()), {}), 1);  // no temporary left
    removeFile(file);
    removeFile(file);
    EXPECT_FALSE(std::filesystem::exists(file));
}

struct WaitRow {
    const char* what;
    std::function<void(const std::filesystem::path& file)> action;
    bool waitsForTheLock;
};

class WhileAnotherProgramHoldsTheLockByte : public testing::TestWithParam<WaitRow> {};

TEST_P(WhileAnotherProgramHoldsTheLockByte, OnlySharedAppendsWait) {
    TempDir temp;
    const auto file = temp.path() / "responses.txt";
    appendToFile(file, "first\r\n");
    LockHolder holder(file, 1500ms);
    const auto took = timeOf([&] { GetParam().action(file); });
    EXPECT_EQ(took >= 1000ms, GetParam().waitsForTheLock) << took.count() << " ms";
    EXPECT_EQ(holder.wait(), 0);
    EXPECT_THAT(readFile(file), testing::StartsWith("first\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WhileAnotherProgramHoldsTheLockByte,
    testing::Values(WaitRow{"append", [](const auto& f) { appendToFile(f, "second\r\n"); }, true},
                    WaitRow{"read", [](const auto& f) { EXPECT_EQ(readFile(f), "first\r\n"); }, false}),
    [](const auto& row) { return std::string(row.param.what); });

TEST(WindowsClassFile, TheDelayedLineArrivesOnce) {
    TempDir temp;
    const auto file = temp.path() / "responses.txt";
    LockHolder holder(file, 500ms);
    appendToFile(file, "line\r\n");
    EXPECT_EQ(readFile(file), "line\r\n");
}

TEST(WindowsClassFile, ALockHeldPastTheWaitGives70AndLeavesTheFile) {
    TempDir temp;
    const auto file = temp.path() / "responses.txt";
    appendToFile(file, "first\r\n");
    LockHolder holder(file, kLockWait + 3s);
    int number = 0;
    const auto took = timeOf([&] { number = errorOf([&] { appendToFile(file, "late\r\n"); }); });
    EXPECT_EQ(number, kPermissionDenied);
    EXPECT_GE(took, kLockWait);
    EXPECT_EQ(readFile(file), "first\r\n");
}

TEST(WindowsClassFile, StudentsAppendingAtOnceNeverInterleaveInsideALine) {
    TempDir temp;
    std::vector<std::unique_ptr<ChildProcess>> students;
    for (int student = 0; student < kStudents; ++student) {
        students.push_back(std::make_unique<ChildProcess>(
            L"student", std::vector<std::wstring>{temp.path().native(), std::to_wstring(student)}));
    }
    for (auto& student : students) EXPECT_EQ(student->wait(), 0);

    const auto lines = splitLines(readBytes(temp.path() / "i" / "responses.txt"));
    const auto expected = allResponses();
    EXPECT_EQ(lines.size(), expected.size());
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), expected);
}

TEST(WindowsLongPaths, AreNamedAsWindowsWouldWithThePrefixThatLiftsMaxPath) {
    const std::pair<std::wstring, std::wstring> rows[] = {
        {L"i:\\responses.txt", L"\\\\?\\i:\\responses.txt"},
        {L"c:/qorsdata/../notes.txt", L"\\\\?\\c:\\notes.txt"},
        {L"\\\\server\\class\\responses.txt", L"\\\\?\\UNC\\server\\class\\responses.txt"},
        {L"\\\\?\\c:\\x\\..\\y.txt", L"\\\\?\\c:\\x\\..\\y.txt"},
    };
    for (const auto& [given, expected] : rows) EXPECT_EQ(longPath(given), expected);
}

using Path = std::filesystem::path;
void append(const Path&, const Path& file) { appendToFile(file, "x\r\n"); }
void deliver(const Path& outbox, const Path& file) {  // the class file's failure, its line then in the outbox
    const Outbox box{outbox, {}, Path(outbox).replace_extension(".rec")};
    if (const int unreached = deliverToClassFile({box}, 0, file, "x\r\n").unreached) throw RunError(unreached);
}
void deliverNoOutbox(const Path&, const Path& file) { deliver(file.parent_path() / "u.txt", file); }
void save(const Path&, const Path& file) { saveFileAtomically(file, "x\r\n"); }

struct HeldRow {
    const char* what;
    void (*write)(const Path& outbox, const Path& file);
    std::chrono::milliseconds readerHolds;  // the file
    bool viewerMapsOutbox;
    int number;
    std::string file, outbox;
};

class WhileAnotherProgramHoldsAFile : public testing::TestWithParam<HeldRow> {};

TEST_P(WhileAnotherProgramHoldsAFile, AWriteLandsWholeOrLeavesBothFilesAsTheyWere) {
    const HeldRow& row = GetParam();
    TempDir temp;
    const auto file = temp.path() / "responses.txt", outbox = temp.path() / "unsent_1.txt";
    writeBytes(file, "first\r\n");
    writeBytes(outbox, "a\r\nb\r\n");
    const auto viewer = row.viewerMapsOutbox ? mapAsViewer(outbox) : nullptr;
    const auto reader = holdAsReader(file, row.readerHolds);
    EXPECT_EQ(errorOf([&] { row.write(outbox, file); }), row.number);
    EXPECT_EQ(readBytes(file), row.file);
    EXPECT_EQ(readBytes(outbox), row.outbox);
    // Nothing left, nothing made but, if the file was still held, the outbox that kept the line, emptied.
    const bool made = std::filesystem::exists(temp.path() / "u.txt") && std::filesystem::is_empty(temp.path() / "u.txt");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()), {}), made ? 3 : 2);
}

const auto kTooLong = kLockWait + 500ms;
INSTANTIATE_TEST_SUITE_P(
    Windows, WhileAnotherProgramHoldsAFile,
    testing::Values(HeldRow{"AppendLetGo", append, 500ms, false, 0, "first\r\nx\r\n", "a\r\nb\r\n"},
                    HeldRow{"AppendHeld", append, kTooLong, false, kPermissionDenied, "first\r\n", "a\r\nb\r\n"},
                    HeldRow{"DeliverLetGo", deliver, 500ms, false, 0, "first\r\na\r\nb\r\nx\r\n", ""},
                    HeldRow{"DeliverHeld", deliver, kTooLong, false, kPermissionDenied, "first\r\n", "a\r\nb\r\nx\r\n"},
                    HeldRow{"DeliverUnemptiable", deliver, 0ms, true, kPathFileAccessError, "first\r\n",
                            "a\r\nb\r\nx\r\n"},
                    HeldRow{"DeliverNoOutbox", deliverNoOutbox, 0ms, false, 0, "first\r\nx\r\n", "a\r\nb\r\n"},
                    HeldRow{"SaveLetGo", save, 300ms, false, 0, "x\r\n", "a\r\nb\r\n"},
                    HeldRow{"SaveHeld", save, 2s, false, kPermissionDenied, "first\r\n", "a\r\nb\r\n"}),
    [](const auto& row) { return std::string(row.param.what); });

TEST(WindowsPlantedLink, IsRefusedWithNothingWritten) {
    TempDir temp;
    const auto target = temp.path() / "elsewhere.txt", link = temp.path() / "responses.txt";
    writeBytes(target, "theirs");
    ::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD attributes = ::GetFileAttributesW(link.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "no symbolic link can be made here (Wine reports one made, but makes none)";
    EXPECT_EQ(errorOf([&] { appendToFile(link, "x"); }), kPathFileAccessError);
    EXPECT_EQ(errorOf([&] { readFile(link); }), kPathFileAccessError);
    EXPECT_EQ(readBytes(target), "theirs");
}

TEST(WindowsLeftovers, OnlyThisFilesTemporariesFromBeforeGo) {
    TempDir temp;
    const std::tuple<const char*, bool, bool> rows[] = {
        // name, last written an hour ago, removed
        {"draft_Ann.txt.a1B2c3", true, true},   {"draft_Ann.txt.a1B2c4", false, false},
        {"draft_Ann.txt", true, false},         {"draft_Ann.txt.a1B2c", true, false},
        {"draft_Ann.txt.a1B2c3d", true, false}, {"draft_Bob.txt.a1B2c3", true, false},
    };
    const auto anHourAgo = std::filesystem::file_time_type::clock::now() - 1h;
    for (const auto& [name, old, removed] : rows) {
        writeBytes(temp.path() / name, "x");
        if (old) std::filesystem::last_write_time(temp.path() / name, anHourAgo);
    }
    removeLeftoverTemporaries(temp.path() / "draft_Ann.txt", std::chrono::system_clock::now() - 1min);
    for (const auto& [name, old, removed] : rows) {
        EXPECT_EQ(std::filesystem::exists(temp.path() / name), !removed) << name;
    }
}

// Run on their own by a test that limits the size of every file the program writes.
class FileSizeLimit : public testing::TestWithParam<void (*)(const std::filesystem::path&, std::string_view)> {
protected:
    void SetUp() override {
        const char* limit = std::getenv("CLASSJOURNAL_FILE_SIZE_LIMIT_KB");
        if (!limit) GTEST_SKIP() << "needs CLASSJOURNAL_FILE_SIZE_LIMIT_KB, set by the windows_full_disk test";
        limitBytes = std::stoul(limit) * 1024;
    }
    std::size_t limitBytes = 0;
};

TEST_P(FileSizeLimit, AnAppendCutShortLeavesTheFileAsItWas) {
    TempDir temp;
    const auto file = temp.path() / "f.txt";
    const std::string before = std::string(limitBytes - 102, 'a') + "\r\n";
    writeBytes(file, before);
    EXPECT_NE(errorOf([&] { GetParam()(file, std::string(1000, 'b') + "\r\n"); }), 0);
    const std::string after = readBytes(file);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(after == before);
    GetParam()(file, "fits\r\n");
    EXPECT_TRUE(readBytes(file) == before + "fits\r\n");
}

TEST_P(FileSizeLimit, ACutBackThatFailsIsToldByItsOwnNumber) {
    TempDir temp;
    const auto file = temp.path() / "f.txt";
    writeBytes(file, std::string(limitBytes - 100, 'a'));
    const auto viewer = mapAsViewer(file);
    EXPECT_EQ(errorOf([&] { GetParam()(file, std::string(1000, 'b')); }), kPathFileAccessError);
    EXPECT_EQ(readBytes(file).size(), limitBytes);  // the torn record the student is told of
}

void appendLines(const std::filesystem::path& file, std::string_view bytes) { appendToFile(file, bytes); }
INSTANTIATE_TEST_SUITE_P(Windows, FileSizeLimit, testing::Values(appendLines));

}  // namespace
}  // namespace cj::test
