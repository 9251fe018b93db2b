#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "code_page_text_box.h"
#include "window_fixture.h"

namespace cj::test {
namespace {

struct ControlRow {
    const char* name;
    const char* kind;
    const char* text;
    QRect geometry;  // pixels, at 15 twips each
    const char* accessibleName;
};

void PrintTo(const ControlRow& row, std::ostream* os) { *os << row.name; }

QString textOf(const QWidget& control) {
    if (auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
    if (auto* line = qobject_cast<const QLineEdit*>(&control)) return line->text();
    if (auto* box = qobject_cast<const ui::CodePageTextBox*>(&control)) return box->toPlainText();
    if (auto* list = qobject_cast<const QListWidget*>(&control)) return QString::number(list->count()) + " items";
    return {};
}

using ControlsTest = WindowTableTest<ControlRow>;

TEST_P(ControlsTest, HasItsKindTextPlaceNameAndFont) {
    const ControlRow& row = GetParam();
    const QWidget* control = window.findChild<QWidget*>(row.name, Qt::FindDirectChildrenOnly);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->inherits(row.kind)) << control->metaObject()->className();
    EXPECT_EQ(textOf(*control), QString::fromUtf8(row.text));
    EXPECT_EQ(control->geometry(), row.geometry);
    EXPECT_EQ(control->accessibleName(), QString::fromUtf8(row.accessibleName));

    // Only the two large boxes have a font of their own.
    const QFont font = control->font();
    if (std::string_view(row.kind) == "cj::ui::CodePageTextBox") {
        EXPECT_EQ(font.family(), "Arial");
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
        EXPECT_EQ(font.weight(), QFont::Normal);
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    } else {
        EXPECT_EQ(font, window.font());
    }
}

constexpr const char* kBox = "cj::ui::CodePageTextBox";
constexpr const char* kButton = "cj::ui::WrappingButton";
constexpr const char* kPicture = "cj::ui::PictureBox";
constexpr const char* kLine = "QLineEdit";
constexpr const char* kLabel = "QLabel";

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ControlsTest,
    testing::Values(
        ControlRow{"txt_question", kBox, "", {16, 48, 345, 350}, "Question"},
        ControlRow{"txt_answer", kBox, "", {376, 48, 337, 350}, "Answer"},
        ControlRow{"cmdNextQuestion", kButton, "Next Question / Answer", {16, 0, 65, 49}, "Next Question / Answer"},
        ControlRow{"cmd_enter_response", kButton, "Enter Response", {376, 16, 57, 33}, "Enter Response"},
        ControlRow{"Picture1", kPicture, "", {16, 405, 345, 92}, "Picture 1"},
        ControlRow{"Picture2", kPicture, "", {376, 405, 337, 92}, "Picture 2"},
        ControlRow{"cmd_save_as_notes", kButton, "Save as Notes", {432, 16, 57, 33}, "Save as Notes"},
        ControlRow{"cmd_Make_paragraph", kButton, "Make Paragraph", {488, 16, 65, 33}, "Make Paragraph"},
        ControlRow{"cmd_Make_Paragraph_question", kButton, "Make Paragraph", {80, 16, 57, 33}, "Make Paragraph"},
        ControlRow{"txt_paragraph_goback", kLine, "1", {208, 16, 33, 33}, "# sentences previous"},
        ControlRow{"lbl_paragraph_goback", kLabel, "# sentences previous", {144, 16, 73, 33}, "# sentences previous"},
        ControlRow{"cmd_timerTrigger", kButton, "Trigger Timer", {160, 504, 49, 33}, "Trigger Timer"},
        ControlRow{"List1", "QListWidget", "0 items", {208, 512, 113, 56}, "List 1"},
        ControlRow{"lbl_parameter_0", kLabel, "Parameter 1", {376, 512, 60, 13}, "Parameter 1"},
        ControlRow{"txt_parameter_0", kLine, "1", {448, 512, 20, 19}, "Parameter 1"},
        ControlRow{"lbl_parameter_1", kLabel, "Parameter 2", {376, 544, 57, 13}, "Parameter 2"},
        ControlRow{"txt_parameter_1", kLine, "1", {448, 544, 20, 19}, "Parameter 2"},
        ControlRow{"lbl_parameter_2", kLabel, "Parameter 3", {480, 512, 67, 13}, "Parameter 3"},
        ControlRow{"txt_parameter_2", kLine, "1", {547, 512, 20, 19}, "Parameter 3"},
        ControlRow{"lbl_parameter_3", kLabel, "Parameter 4", {480, 544, 60, 13}, "Parameter 4"},
        ControlRow{"txt_parameter_3", kLine, "1", {547, 544, 20, 19}, "Parameter 4"},
        ControlRow{"cmd_displayCumulativeText", kButton, "display everything", {240, 16, 57, 33}, "display everything"},
        ControlRow{"cmd_display_note_file", kButton, "display notes", {296, 16, 65, 33}, "display notes"},
        ControlRow{"cmd_quit", kButton, "quit program", {680, 0, 49, 33}, "quit program"},
        ControlRow{"cmd_pend_exp", kButton, "pend exp", {576, 504, 33, 25}, "pend exp"},
        ControlRow{"cmd_next_picture", kButton, "next picture", {80, 504, 57, 33}, "next picture"},
        ControlRow{"lbl_only_if_prompted", kLabel, "click only if prompted", {16, 504, 57, 33}, "click only if prompted"},
        ControlRow{"cmd_copy_picture", kButton, "copy picture", {80, 544, 57, 33}, "copy picture"},
        ControlRow{"cmd_clear_answer_box", kButton, "clear box", {552, 16, 57, 33}, "clear box"}),
    [](const testing::TestParamInfo<ControlRow>& info) { return std::string(info.param.name); });

TEST_F(WindowTest, IsAFixedForm1WithThirtyControls) {
    EXPECT_EQ(window.windowTitle(), "Form1");
    EXPECT_EQ(window.minimumSize(), QSize(725, 573));
    EXPECT_EQ(window.maximumSize(), QSize(725, 573));
    EXPECT_EQ(window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 29);

    const auto* timer = window.findChild<QTimer*>("tmr_pend_exp");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 15);
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(timer->isSingleShot());
}

TEST_F(WindowTest, TabVisitsTheControlsInTableOrderSkippingLabels) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.questionBox().setFocus();

    const QStringList expected = {
        "txt_answer", "cmdNextQuestion", "cmd_enter_response", "Picture1", "Picture2", "cmd_save_as_notes",
        "cmd_Make_paragraph", "cmd_Make_Paragraph_question", "txt_paragraph_goback", "cmd_timerTrigger", "List1",
        "txt_parameter_0", "txt_parameter_1", "txt_parameter_2", "txt_parameter_3", "cmd_displayCumulativeText",
        "cmd_display_note_file", "cmd_quit", "cmd_pend_exp", "cmd_next_picture", "cmd_copy_picture",
        "cmd_clear_answer_box", "txt_question"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, expected);
}

}  // namespace
}  // namespace cj::test
