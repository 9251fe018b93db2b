#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <vector>

#include "code_page_text_box.h"
#include "controls.h"
#include "window_fixture.h"

namespace cj::test {
namespace {

// The Qt class that stands for each kind of control.
const char* classOf(form::Kind kind) {
    switch (kind) {
        case form::Kind::MultiLineTextBox: return "cj::ui::CodePageTextBox";
        case form::Kind::TextBox: return "QLineEdit";
        case form::Kind::Button: return "cj::ui::WrappingButton";
        case form::Kind::Label: return "QLabel";
        case form::Kind::Picture: return "cj::ui::PictureBox";
        case form::Kind::ListBox: return "QListWidget";
    }
    return "";
}

QString textOf(const QWidget& control) {
    if (auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
    if (auto* line = qobject_cast<const QLineEdit*>(&control)) return line->text();
    if (auto* box = qobject_cast<const ui::CodePageTextBox*>(&control)) return box->toPlainText();
    return {};
}

// Each control of the table, as the window builds it.
using ControlsTest = WindowTableTest<const form::Control*>;

TEST_P(ControlsTest, HasItsKindTextPlaceNameAndFont) {
    const form::Control& row = *GetParam();
    const QWidget* control = window.findChild<QWidget*>(ui::qStringOf(row.name), Qt::FindDirectChildrenOnly);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->inherits(classOf(row.kind))) << control->metaObject()->className();
    EXPECT_EQ(textOf(*control), ui::qStringOf(row.text));
    const form::TwipRect& place = row.place;
    EXPECT_EQ(control->geometry(), QRect(ui::pixelsOf(place.left), ui::pixelsOf(place.top), ui::pixelsOf(place.width),
                                         ui::pixelsOf(place.height)));
    EXPECT_EQ(control->accessibleName(), ui::qStringOf(row.accessibleName()));
    if (auto* list = qobject_cast<const QListWidget*>(control)) {
        EXPECT_EQ(list->count(), 0);
    }

    // Only the two large boxes have a font of their own.
    const QFont font = control->font();
    if (row.kind == form::Kind::MultiLineTextBox) {
        EXPECT_EQ(font.family(), ui::qStringOf(form::kLargeBoxFont.family));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), form::kLargeBoxFont.points);
        EXPECT_EQ(font.weight(), QFont::Normal);
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    } else {
        EXPECT_EQ(font, window.font());
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ControlsTest,
                         testing::ValuesIn([] {
                             std::vector<const form::Control*> all;
                             for (const form::Control& control : form::controls()) all.push_back(&control);
                             return all;
                         }()),
                         [](const testing::TestParamInfo<const form::Control*>& info) {
                             return std::string(info.param->name);
                         });

TEST_F(WindowTest, IsAFixedForm1WithTheTableControlsAndATimer) {
    EXPECT_EQ(window.windowTitle(), "Form1");
    EXPECT_EQ(window.minimumSize(), QSize(725, 573));
    EXPECT_EQ(window.maximumSize(), QSize(725, 573));
    EXPECT_EQ(window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(),
              static_cast<qsizetype>(form::controls().size()));

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
