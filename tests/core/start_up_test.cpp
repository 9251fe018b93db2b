#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <set>

#include "failure_messages.h"
#include "run_error.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

using testing::ElementsAre;
using testing::EndsWith;

const std::string kNetworkDir = "i:\\bkp_000416\\My Documents\\distance students\\interactive problems\\lb1";

class StartRun : public RunFixture {
protected:
    void startRunWith(const std::string& homeOrNetwork, const std::string& name = "Student One",
                      const std::string& assignment = "1") {
        dialogs.answers = {homeOrNetwork, name, "STO", assignment};
        run().startRun();
    }
};

TEST_F(StartRun, AsksTheFourQuestionsInOrder) {
    startRunWith("1");
    EXPECT_THAT(dialogs.prompts,
                ElementsAre("Enter 1 for home user, 2 for BRELL LAN user", "Your full name:  ",
                            "Your initials (use all 3 initials and always use the same three initials when "
                            "submitting work):  ",
                            "Assignment Number:  "));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(state().fullName, "Student One");
    EXPECT_EQ(state().initials, "STO");
}

TEST_F(StartRun, ChoosesTheNetworkDirectoryOnlyForTwo) {
    const std::pair<std::string, std::string> rows[] = {
        {"2", kNetworkDir},     {"02", kNetworkDir},    {" 2 ", kNetworkDir},   {"1", "c:\\qorsdata"},
        {"0", "c:\\qorsdata"},  {"3", "c:\\qorsdata"},  {"22", "c:\\qorsdata"}, {"-2", "c:\\qorsdata"},
    };
    for (const auto& [answer, dataDir] : rows) {
        cj::Run fresh(platform());
        dialogs.answers = {answer, "A", "B", "1"};
        fresh.startRun();
        EXPECT_EQ(fresh.state().dataDir, dataDir) << answer;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(StartRun, AnAnswerThatIsNoNumberStopsStartUpWithError13) {
    for (const std::string answer : {"", "two"}) {
        cj::Run fresh(platform());
        dialogs.messages.clear();
        dialogs.answers = {answer, "A", "B", "1"};
        fresh.startRun();
        ASSERT_THAT(dialogs.messages, ElementsAre(EndsWith("The error is:  13")));
        const RunState& s = fresh.state();
        EXPECT_EQ(s.dataDir + s.fullName + s.initials + s.masterFilePath + s.sendFilePath + s.notesFilePath +
                      s.assignmentNumber + s.nextAssignmentNumber + s.answerPrompt + s.lineSeparator +
                      s.responseSeparator,
                  "");
        EXPECT_EQ(s.lineIndex, 0);
        EXPECT_EQ(fresh.script().read(1), "");
        EXPECT_GE(s.codeNbr, 19);

        dialogs.messages.clear();
        EXPECT_THROW(fresh.openAssignment(), ProgramEnded);
        EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(kSubscriptOutOfRange)));
    }
}

TEST_F(StartRun, ReportsAnyFailureWithItsNumberAndAsksNothingMore) {
    const std::pair<std::exception_ptr, int> rows[] = {
        {std::make_exception_ptr(std::logic_error("not ours")), kInternalError},
        {std::make_exception_ptr(std::bad_alloc()), kOutOfMemory},
        {std::make_exception_ptr(RunError(kDeviceIoError)), kDeviceIoError},
    };
    for (const auto& [thrown, number] : rows) {
        cj::Run fresh(platform());
        dialogs.messages.clear();
        dialogs.prompts.clear();
        random.failNext = thrown;  // the draw of the coding number
        fresh.startRun();
        EXPECT_THAT(dialogs.messages, ElementsAre(failureMessage(number)));
        EXPECT_TRUE(dialogs.prompts.empty());
    }
}

TEST_F(StartRun, ComposesTheStudentsFilePaths) {
    startRunWith("1");
    EXPECT_EQ(state().masterFilePath, "c:\\qorsdata\\masterFile_Student_One.txt");
    EXPECT_EQ(state().sendFilePath, "c:\\qorsdata\\send_1207Student_One.txt");
    EXPECT_EQ(state().notesFilePath, "c:\\qorsdata\\notes_Student_One.txt");

    cj::Run march(platform());
    clock.time.month = 3;
    clock.time.day = 1;
    dialogs.answers = {"2", "Student One", "STO", "1"};
    march.startRun();
    EXPECT_EQ(march.state().sendFilePath, kNetworkDir + "\\send_0301Student_One.txt");
}

TEST_F(StartRun, NamesInFileNamesKeepBlanksAsUnderscoresAndCannotLeaveTheDirectory) {
    const std::pair<std::string, std::string> rows[] = {
        {"Ann  Lee ", "Ann__Lee_"},       {"", ""},
        {"..\\..\\x", ".._.._x"},         {"a/b", "a_b"},
        {"a:*?\"<>|\tb", "a________b"},  {"Zo\xEB", "Zo\xEB"},
    };
    for (const auto& [name, part] : rows) {
        cj::Run fresh(platform());
        dialogs.answers = {"1", name, "", "1"};
        fresh.startRun();
        EXPECT_EQ(fresh.state().notesFilePath, "c:\\qorsdata\\notes_" + part + ".txt") << name;
        EXPECT_EQ(fresh.state().fullName, name);
    }
}

TEST_F(StartRun, SetsTheFixedTexts) {
    startRunWith("1");
    const std::string& prompt = state().answerPrompt;
    EXPECT_EQ(prompt.size(), 502u);
    EXPECT_EQ(prompt.find("\r\n"), prompt.find("OK.") + 3);
    EXPECT_EQ(prompt.substr(prompt.find("OK.") + 3, 4), "\r\n\r\n");
    EXPECT_EQ(prompt.find("\r\n", prompt.find("OK.") + 7), std::string::npos);
    EXPECT_EQ(state().lineSeparator, " <-<-<-<-  Q/A:   ");
    EXPECT_EQ(state().responseSeparator, " YOUR ANSWER  ->->->->  ");
}

TEST_F(StartRun, SeedsOnceThenDrawsTheCodingNumberAndScalesThePictures) {
    random.draws = {0.0f};
    startRunWith("1");
    EXPECT_THAT(random.seeds, ElementsAre(50709.25f));
    EXPECT_EQ(random.drawn, 1);
    EXPECT_EQ(state().codeNbr, 19.0f);
    ASSERT_EQ(pictures.scales.size(), 2u);
    EXPECT_EQ(pictures.scales[0].box, PictureBoxId::Picture1);
    EXPECT_EQ(pictures.scales[1].box, PictureBoxId::Picture2);
    for (const auto& scale : pictures.scales) {
        EXPECT_EQ(scale.width, 1000);
        EXPECT_EQ(scale.height, 1000);
    }
}

TEST_F(StartRun, CodingNumberTakesEveryValueFrom19To28AndNoOther) {
    std::set<float> seen;
    for (int i = 0; i <= 1000; ++i) {
        cj::Run fresh(platform());
        random.draws = {i == 1000 ? std::nextafter(1.0f, 0.0f) : i / 1000.0f};
        dialogs.answers = {"1", "A", "B", "1"};
        fresh.startRun();
        seen.insert(fresh.state().codeNbr);
    }
    EXPECT_EQ(seen, (std::set<float>{19, 20, 21, 22, 23, 24, 25, 26, 27, 28}));
}

TEST_F(StartRun, MakesTheLocalDataDirectoryForEveryone) {
    startRunWith("2");
    EXPECT_TRUE(std::filesystem::is_directory(onDrive('c', "qorsdata")));
    cj::Run again(platform());
    dialogs.answers = {"1", "A", "B", "1"};
    again.startRun();  // the directory exists already: no message
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(StartRun, LoadsTheBuiltInScript) {
    startRunWith("1");
    EXPECT_EQ(state().lineIndex, 32);
    EXPECT_EQ(run().script().read(1), "001.  Responses");
    for (long slot = 2; slot <= 32; ++slot) {
        EXPECT_EQ(run().script().read(slot), slot % 2 ? "Please respond to the question." : "") << slot;
    }
    EXPECT_EQ(run().script().read(0), "");
    EXPECT_EQ(run().script().read(33), "");
}

}  // namespace
}  // namespace cj::test
