#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <numeric>
#include <utility>

#include "code_page_text_box.h"
#include "window_fixture.h"

namespace cj::test {
namespace {

struct ReturnRow {
    const char* name;
    const char* kind;  // the class every control of this kind inherits
    Qt::Key key;
    const char* textBefore;  // nullptr: the control holds no text of its own
    const char* textAfter;
    int presses;  // of the focused control, if a button
};

void PrintTo(const ReturnRow& row, std::ostream* os) { *os << row.name; }

void setText(QWidget& control, const QString& text) {
    if (auto* box = qobject_cast<QPlainTextEdit*>(&control)) {
        box->setPlainText(text);
        box->moveCursor(QTextCursor::End);
    } else if (auto* line = qobject_cast<QLineEdit*>(&control)) {
        line->setText(text);
    }
}

QString textOf(const QWidget& control) {
    if (auto* box = qobject_cast<const QPlainTextEdit*>(&control)) return box->toPlainText();
    if (auto* line = qobject_cast<const QLineEdit*>(&control)) return line->text();
    return {};
}

using ReturnKeyTest = WindowTableTest<ReturnRow>;

// Every control of a kind, focused, takes Return or keypad Enter the same way; only a focused
// push button is pressed, and no other button ever is.
TEST_P(ReturnKeyTest, PressesOnlyTheFocusedButton) {
    const ReturnRow& row = GetParam();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    // The handlers stay out of it: what a press does is tested with the commands.
    std::map<const QObject*, int> presses;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        QObject::disconnect(button, &QPushButton::clicked, nullptr, nullptr);
        QObject::connect(button, &QPushButton::clicked, [&presses, button] { ++presses[button]; });
    }

    int controlsOfKind = 0;
    for (QWidget* control : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!control->inherits(row.kind)) continue;
        SCOPED_TRACE(control->objectName().toStdString());
        ++controlsOfKind;
        presses.clear();
        if (row.textBefore) setText(*control, QString::fromUtf8(row.textBefore));
        control->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), control);

        QTest::keyClick(control, row.key, row.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

        EXPECT_EQ(presses[control], row.presses);
        const int allPresses = std::accumulate(presses.begin(), presses.end(), 0,
                                               [](int sum, const auto& entry) { return sum + entry.second; });
        EXPECT_EQ(allPresses, row.presses);
        if (row.textBefore) {
            EXPECT_EQ(textOf(*control), QString::fromUtf8(row.textAfter));
        }
    }
    EXPECT_GT(controlsOfKind, 1);
}

constexpr const char* kPushButton = "QPushButton";
constexpr const char* kLargeBox = "cj::ui::CodePageTextBox";
constexpr const char* kSmallBox = "QLineEdit";

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ReturnKeyTest,
    testing::Values(ReturnRow{"PushButtonReturn", kPushButton, Qt::Key_Return, nullptr, nullptr, 1},
                    ReturnRow{"PushButtonEnter", kPushButton, Qt::Key_Enter, nullptr, nullptr, 1},
                    ReturnRow{"LargeBoxReturn", kLargeBox, Qt::Key_Return, "first", "first\n", 0},
                    ReturnRow{"LargeBoxEnter", kLargeBox, Qt::Key_Enter, "first", "first\n", 0},
                    ReturnRow{"SmallBoxReturn", kSmallBox, Qt::Key_Return, "1", "1", 0},
                    ReturnRow{"SmallBoxEnter", kSmallBox, Qt::Key_Enter, "1", "1", 0}),
    [](const testing::TestParamInfo<ReturnRow>& info) { return std::string(info.param.name); });

// A held key repeats its press, marked as a repeat or, on X11 under load, as a release and a
// press of one time stamp; a focused button takes Return or keypad Enter once a press.
TEST_F(WindowTest, HeldReturnPressesTheFocusedButtonOnce) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* button = window.findChild<QPushButton*>("cmd_enter_response");
    QObject::disconnect(button, &QPushButton::clicked, nullptr, nullptr);
    int presses = 0;
    QObject::connect(button, &QPushButton::clicked, [&presses] { ++presses; });
    button->setFocus();
    for (const auto& [key, modifier] : {std::pair{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}}) {
        presses = 0;
        for (const auto& [type, at, repeated] : {std::tuple{QEvent::KeyPress, 10, false}, {QEvent::KeyPress, 20, true},
                                                {QEvent::KeyRelease, 30, false}, {QEvent::KeyPress, 30, false},
                                                {QEvent::KeyRelease, 40, false}}) {
            QKeyEvent event(type, key, modifier, "\r", repeated);
            event.setTimestamp(at);
            QApplication::sendEvent(button, &event);
        }
        EXPECT_EQ(presses, 1) << key;
    }
}

}  // namespace
}  // namespace cj::test
