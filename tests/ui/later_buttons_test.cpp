#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace cj::test {
namespace {

using LaterButtonsTest = WindowTableTest<const char*>;

// Until their commands are built, these buttons are wired but must leave everything alone.
TEST_P(LaterButtonsTest, ClickingChangesNothing) {
    loadStudentOne();
    window.show();
    window.setQuestionText("question");
    window.setAnswerText("answer");
    const auto filesBefore = files();

    auto* button = window.findChild<QPushButton*>(GetParam());
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_EQ(window.questionText(), "question");
    EXPECT_EQ(window.answerText(), "answer");
    EXPECT_EQ(files(), filesBefore);
    EXPECT_FALSE(window.findChild<QTimer*>("tmr_pend_exp")->isActive());
    EXPECT_FALSE(window.hasEnded());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, LaterButtonsTest,
                         testing::Values("cmdNextQuestion", "cmd_enter_response", "cmd_save_as_notes",
                                         "cmd_Make_paragraph", "cmd_Make_Paragraph_question", "cmd_timerTrigger",
                                         "cmd_displayCumulativeText", "cmd_display_note_file", "cmd_quit",
                                         "cmd_pend_exp", "cmd_next_picture", "cmd_copy_picture",
                                         "cmd_clear_answer_box"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
}  // namespace cj::test
