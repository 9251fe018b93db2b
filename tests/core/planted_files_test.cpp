// Files that someone else put under the names the program writes: none may steer it, hang it
// or be written through. These need POSIX links and FIFOs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "failure_messages.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

enum class Planted { Fifo, LinkToAnotherFile, Folder, HugeFile, AppendOnly };
enum class Under { ClassFile, SendFile, Draft, Outbox };

struct PlantedRow {
    const char* name;
    Planted planted;
    Under under;
};

void PrintTo(const PlantedRow& row, std::ostream* out) { *out << row.name; }

class PlantedFile : public RunFixture, public testing::WithParamInterface<PlantedRow> {
protected:
    std::filesystem::path fileUnder(Under under) const {
        switch (under) {
            case Under::ClassFile: return onDrive('i', "responses.txt");
            case Under::SendFile: return dataFile(fileNamesOf().send);
            case Under::Draft: return dataFile(fileNamesOf().draft);
            case Under::Outbox: return dataFile(fileNamesOf().outbox);
        }
        return {};
    }
    void plant(const std::filesystem::path& at) {
        std::filesystem::remove(at);
        switch (GetParam().planted) {
            case Planted::Fifo: ASSERT_EQ(mkfifo(at.c_str(), 0600), 0); break;
            case Planted::LinkToAnotherFile: std::filesystem::create_symlink(secret, at); break;
            case Planted::Folder: std::filesystem::create_directory(at); break;
            case Planted::HugeFile: writeBytes(at, std::string(20 << 20, 'z')); break;
            case Planted::AppendOnly:  // only an administrator may set the flag, which TearDown takes off
                writeBytes(at, "planted\r\n"), flagged = open(at.c_str(), O_RDONLY);
                if (const int flag = FS_APPEND_FL; ioctl(flagged, FS_IOC_SETFLAGS, &flag) != 0) GTEST_SKIP();
                break;
        }
    }
    void TearDown() override {
        if (const int none = 0; flagged >= 0) ioctl(flagged, FS_IOC_SETFLAGS, &none), close(flagged);
    }
    int flagged = -1;
    const std::filesystem::path secret = temp.path() / "secret.txt";
};

TEST_P(PlantedFile, NeitherHangsNorSteersTheProgram) {
    const PlantedRow& row = GetParam();
    alarm(20);  // a hang ends the test rather than the test run
    writeBytes(secret, "not the student's");
    start("1", "Student One", "STO", "1");
    plant(fileUnder(row.under));
    if (IsSkipped()) return;

    run().restoreDraft();
    EXPECT_EQ(boxes.answer, "");
    boxes.answer = "mine";
    run().enterResponse();
    alarm(0);

    EXPECT_EQ(readBytes(secret), "not the student's");
    const bool sendFileMissed = row.under == Under::SendFile;
    EXPECT_EQ(boxes.answer, sendFileMissed ? "mine" : "");
    if (row.under == Under::Draft) {
        EXPECT_THAT(dialogs.messages, testing::IsEmpty());
        EXPECT_EQ(readBytes(onDrive('i', "responses.txt")), "mine\r\n");
    } else if (row.under == Under::Outbox) {  // not used: the line goes straight to the class file
        EXPECT_THAT(dialogs.messages, testing::ElementsAre(testing::HasSubstr(fileNamesOf().outbox + " cannot be")));
        EXPECT_EQ(readBytes(onDrive('i', "responses.txt")), "mine\r\n");
    } else {
        EXPECT_THAT(dialogs.messages, testing::ElementsAre(failureMessage(kPathFileAccessError)));
        const bool outboxHolds = row.under == Under::ClassFile;
        EXPECT_EQ(std::filesystem::exists(dataFile(fileNamesOf().outbox)), outboxHolds);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PlantedFile,
    testing::Values(PlantedRow{"FifoAsClassFile", Planted::Fifo, Under::ClassFile},
                    PlantedRow{"FifoAsSendFile", Planted::Fifo, Under::SendFile},
                    PlantedRow{"FifoAsDraft", Planted::Fifo, Under::Draft},
                    PlantedRow{"LinkAsClassFile", Planted::LinkToAnotherFile, Under::ClassFile},
                    PlantedRow{"LinkAsSendFile", Planted::LinkToAnotherFile, Under::SendFile},
                    PlantedRow{"LinkAsDraft", Planted::LinkToAnotherFile, Under::Draft},
                    PlantedRow{"FolderAsDraft", Planted::Folder, Under::Draft},
                    PlantedRow{"HugeDraft", Planted::HugeFile, Under::Draft},
                    PlantedRow{"AppendOnlyOutbox", Planted::AppendOnly, Under::Outbox}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::test
