#include <QTest>

#include "code_page_text_box.h"
#include "window_fixture.h"

namespace cj::test {
namespace {

enum class Entry { Typed, Pasted };

struct Input {
    const char* name;
    Entry entry;
    QString input;
    QString shown;  // the document's raw text, a paragraph break as U+2029
    std::string recorded;
};

void PrintTo(const Input& row, std::ostream* os) { *os << row.name; }

// Key by key, as the student types. QTest::keyClicks knows only Latin-1 keys, so each key
// carries its character itself.
void type(QWidget& box, const QString& keys) {
    for (const QChar key : keys) {
        if (key == u'\n') {
            QTest::keyClick(&box, Qt::Key_Return);
        } else {
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key(key.toUpper().unicode()), QString(key), Qt::NoModifier);
        }
    }
}

using AnswerBoxInputTest = WindowTableTest<Input>;

// What the student sees in the answer box is exactly what the run reads from it.
TEST_P(AnswerBoxInputTest, ShowsAndRecordsOnlyCodePageCharacters) {
    const Input& row = GetParam();
    ui::CodePageTextBox& box = window.answerBox();
    if (row.entry == Entry::Typed) {
        type(box, row.input);
    } else {
        box.insertPlainText(row.input);
    }
    EXPECT_EQ(box.document()->toRawText(), row.shown);
    EXPECT_EQ(window.answerText(), row.recorded);
}

INSTANTIATE_TEST_SUITE_P(
    Student, AnswerBoxInputTest,
    testing::Values(
        Input{"TypedOutsideTheCodePage", Entry::Typed, QString::fromUtf8("a€Ωb"), QString::fromUtf8("a€?b"), "a\x80?b"},
        Input{"TypedLineBreak", Entry::Typed, "a\nb", QStringLiteral("a\u2029b"), "a\r\nb"},
        Input{"PastedSurrogatePair", Entry::Pasted, QString::fromUtf8("x😀y→z"), "x?y?z", "x?y?z"},
        Input{"PastedLines", Entry::Pasted, QStringLiteral("p\r\nq\u2028r"), QStringLiteral("p\u2029q\u2028r"), "p\r\nq\r\nr"},
        Input{"PastedNoBreakSpace", Entry::Pasted, QStringLiteral("no\u00A0break"), QStringLiteral("no\u00A0break"),
              "no\xA0" "break"}),
    [](const testing::TestParamInfo<Input>& info) { return std::string(info.param.name); });

TEST_F(WindowTest, AppendingAddsAtTheEndOfWhatTheStudentTyped) {
    window.setQuestionText("Q1\r\n");
    window.appendToQuestion("Q2");
    EXPECT_EQ(window.questionText(), "Q1\r\nQ2");

    window.questionBox().moveCursor(QTextCursor::End);
    type(window.questionBox(), QString::fromUtf8(" Ω"));
    window.questionBox().moveCursor(QTextCursor::Up);
    const int caret = window.questionBox().textCursor().position();
    window.appendToQuestion("\r\nQ3");
    EXPECT_EQ(window.questionText(), "Q1\r\nQ2 ?\r\nQ3");
    // Replacing the whole text instead would move the student's caret.
    EXPECT_EQ(window.questionBox().textCursor().position(), caret);
}

TEST_F(WindowTest, SettingTheTextAgainAfterTheStudentEditedItRestoresIt) {
    window.setAnswerText("prompt");
    window.answerBox().moveCursor(QTextCursor::End);
    type(window.answerBox(), "x");
    window.setAnswerText("prompt");
    EXPECT_EQ(window.answerBox().document()->toRawText(), "prompt");
    EXPECT_EQ(window.answerText(), "prompt");
}

}  // namespace
}  // namespace cj::test
