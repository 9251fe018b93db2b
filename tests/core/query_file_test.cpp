#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "failure_messages.h"
#include "run_error.h"
#include "run_fixture.h"

namespace cj::test {
namespace {

using testing::ElementsAre;

class CodeFile : public RunFixture {
protected:
    CodeFile() {
        random.draws = {0.0f};
        start("1", "Student One", "STO", "1");
    }
    std::filesystem::path query() const { return dataFile("query.txt"); }
    std::filesystem::path queri() const { return dataFile("queri.txt"); }
};

TEST_F(CodeFile, ConvertsLineByLineAndTakesTheCodingNumberFromTheFirstLine) {
    writeBytes(query(), "Assignment 3\r\nQuery 1 What is it?\r\nPlain text");
    run().codeFile();
    EXPECT_EQ(readBytes(queri()), "Assignment 3\r\nquery What is it?\r\nPlain text\r\n");
    EXPECT_EQ(state().codeNbr, 12.0f);
    EXPECT_TRUE(dialogs.messages.empty());

    run().codeFile();  // a second run replaces the first result
    EXPECT_EQ(readBytes(queri()), "Assignment 3\r\nquery What is it?\r\nPlain text\r\n");
}

TEST_F(CodeFile, AnEmptyFirstLineGivesCodingNumberZero) {
    writeBytes(query(), "\r\nquery \r\n");
    run().codeFile();
    EXPECT_EQ(readBytes(queri()), "\r\nquery\r\n");
    EXPECT_EQ(state().codeNbr, 0.0f);
}

TEST_F(CodeFile, AMissingOrEmptyQueryFileIsReportedAndChangesNothing) {
    writeBytes(queri(), "earlier result\r\n");
    run().codeFile();
    writeBytes(query(), "");
    run().codeFile();
    EXPECT_THAT(dialogs.messages,
                ElementsAre(failureMessage(kFileNotFound), failureMessage(kInputPastEndOfFile)));
    EXPECT_EQ(state().codeNbr, 19.0f);
    EXPECT_EQ(readBytes(queri()), "earlier result\r\n");
}

}  // namespace
}  // namespace cj::test
