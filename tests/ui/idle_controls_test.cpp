#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace cj::test {
namespace {

struct Idle {
    const char* name;
    const char* typed;  // clicked when empty
};

void PrintTo(const Idle& row, std::ostream* os) { *os << row.name; }

using IdleControlsTest = WindowTableTest<Idle>;

// Controls without a handler are shown and usable, and using them leaves everything alone.
TEST_P(IdleControlsTest, UsingThemChangesNothing) {
    const Idle& row = GetParam();
    loadStudentOne();
    window.show();
    window.setQuestionText("question");
    window.setAnswerText("answer");
    const auto filesBefore = files();

    auto* control = window.findChild<QWidget*>(row.name);
    ASSERT_NE(control, nullptr);
    if (*row.typed) {
        QTest::keyClicks(control, row.typed);
    } else {
        QTest::mouseClick(control, Qt::LeftButton);
    }

    EXPECT_EQ(window.questionText(), "question");
    EXPECT_EQ(window.answerText(), "answer");
    EXPECT_EQ(files(), filesBefore);
    EXPECT_FALSE(window.findChild<QTimer*>("tmr_pend_exp")->isActive());
    EXPECT_FALSE(window.hasEnded());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, IdleControlsTest,
                         testing::Values(Idle{"cmd_Make_paragraph", ""}, Idle{"cmd_Make_Paragraph_question", ""},
                                         Idle{"cmd_timerTrigger", ""}, Idle{"List1", ""},
                                         Idle{"txt_paragraph_goback", "3"}, Idle{"txt_parameter_2", "42"}),
                         [](const testing::TestParamInfo<Idle>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::test
