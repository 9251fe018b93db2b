#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "qt_dialogs.h"

namespace cj::ui {
namespace {

// Acts on the modal dialog as soon as it is up, from inside its own event loop.
void whenModalShows(std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            act(*dialog);
        } else {
            whenModalShows(act);
        }
    });
}

struct Prompt {
    const char* name;
    QString typed;
    bool accepted;
    std::string answer;
};

void PrintTo(const Prompt& row, std::ostream* os) { *os << row.name; }

class InputBoxTest : public testing::TestWithParam<Prompt> {};

TEST_P(InputBoxTest, ReturnsTheTypedTextOrNothing) {
    const Prompt& row = GetParam();
    QString title;
    QString label;
    whenModalShows([&](QWidget& dialog) {
        title = dialog.windowTitle();
        label = dialog.findChild<QLabel*>()->text();
        auto* field = dialog.findChild<QLineEdit*>();
        EXPECT_TRUE(field->text().isEmpty());
        field->setText(row.typed);
        auto& input = static_cast<QInputDialog&>(dialog);
        row.accepted ? input.accept() : input.reject();
    });

    QtDialogs dialogs;
    EXPECT_EQ(dialogs.inputBox("Your full name:  "), row.answer);
    EXPECT_EQ(title, "Class Journal");
    EXPECT_EQ(label, "Your full name:  ");
}

INSTANTIATE_TEST_SUITE_P(Student, InputBoxTest,
                         testing::Values(Prompt{"Accepted", QString::fromUtf8("Zoë Ω"), true, "Zo\xEB ?"},
                                         Prompt{"Cancelled", "Student One", false, ""}),
                         [](const testing::TestParamInfo<Prompt>& info) { return std::string(info.param.name); });

TEST(MsgBoxTest, ShowsTheMessageWithOneOkButton) {
    QString title;
    QString text;
    int buttons = 0;
    whenModalShows([&](QWidget& dialog) {
        auto& box = static_cast<QMessageBox&>(dialog);
        title = box.windowTitle();
        text = box.text();
        buttons = static_cast<int>(box.buttons().size());
        QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    });

    QtDialogs().msgBox("The error is:  \x80 13");
    EXPECT_EQ(title, "Class Journal");
    EXPECT_EQ(text, QString::fromUtf8("The error is:  € 13"));
    EXPECT_EQ(buttons, 1);
}

}  // namespace
}  // namespace cj::ui
