#include "cmd_pend_exp.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QThread>
#include <QTimer>

#include "code_page_text_box.h"
#include "control_table.h"
#include "controls.h"
#include "picture_box.h"

namespace cj::ui {

namespace {

template <typename Control>
Control* control(QWidget& window, const char* name) {
    return window.findChild<Control*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

}  // namespace

cmd_pend_exp::cmd_pend_exp(Dialogs& dialogs, Clock& clock, RandomSource& random, const DriveMap& drives,
                           QWidget* parent)
    : QWidget(parent), random_(random), form_(Platform{dialogs, *this, *this, clock, random, drives}, *this) {
    setUpForm();
    createControls(*this);
    takeControls();
    wireEvents();
}

void cmd_pend_exp::setUpForm() {
    setObjectName(QStringLiteral("cmd_pend_exp"));
    setWindowTitle(qStringOf(form::kTitle));
    setFixedSize(pixelsOf(form::kClientWidthTwips), pixelsOf(form::kClientHeightTwips));
    setFont(qFontOf(form::kCaptionFont));
}

void cmd_pend_exp::takeControls() {
    txt_question = control<CodePageTextBox>(*this, "txt_question");
    txt_answer = control<CodePageTextBox>(*this, "txt_answer");
    Picture1 = control<PictureBox>(*this, "Picture1");
    Picture2 = control<PictureBox>(*this, "Picture2");
    tmr_pend_exp = new QTimer(this);
    tmr_pend_exp->setObjectName(QStringLiteral("tmr_pend_exp"));
    tmr_pend_exp->setInterval(form::kTimerIntervalMilliseconds);
    tmr_draft = new QTimer(this);
    tmr_draft->setObjectName(QStringLiteral("tmr_draft"));
    tmr_draft->setSingleShot(true);
    tmr_draft->setInterval(form::kDraftPauseMilliseconds);
}

void cmd_pend_exp::wireEvents() {
    for (const form::Control& c : form::controls()) {
        if (c.kind != form::Kind::Button) continue;
        connect(control<QPushButton>(*this, c.name.data()), &QPushButton::clicked, this,
                [this, name = c.name] { form_.press(name); });
    }
    connect(tmr_pend_exp, &QTimer::timeout, this, [this] { form_.pictureTimerTicked(); });
    connect(txt_answer, &QPlainTextEdit::textChanged, this, [this] { form_.answerChanged(); });
    connect(tmr_draft, &QTimer::timeout, this, [this] { form_.draftPauseOver(); });
}

void cmd_pend_exp::Form_Load() { form_.load(); }

void cmd_pend_exp::restoreDraft() { form_.restoreDraft(); }

void cmd_pend_exp::stopTimers() {
    tmr_pend_exp->stop();
    tmr_draft->stop();
}

void cmd_pend_exp::hideWindow() { hide(); }

// Outside a running loop Qt would keep the request and make the next loop, even a modal
// dialog's, return at once; before the loop starts, main sees hasEnded() instead.
void cmd_pend_exp::leaveEventLoop() {
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

void cmd_pend_exp::startDraftPause() { tmr_draft->start(); }

void cmd_pend_exp::showBusy(bool busy) {
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

// Qt moves the focus off a button as it is disabled; it comes back unless the student moved it.
void cmd_pend_exp::enableRecording(bool enabled) {
    QWidget* focus = QApplication::focusWidget();
    for (const form::Control& c : form::controls()) {
        if (c.command.records) control<QPushButton>(*this, c.name.data())->setEnabled(enabled);
    }
    if (!enabled) {
        focusWhileRecording_ = {focus, QApplication::focusWidget()};
    } else if (focusWhileRecording_.second == focus && focusWhileRecording_.first) {
        focusWhileRecording_.first->setFocus();
    }
}

// What Qt held back comes out over more than one pass of the loop; the picture timer's ticks
// would keep it busy for ever, so it stops short.
void cmd_pend_exp::serveHeldInput() {
    wake();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 500);
}

// Qt keeps the input it leaves out, the close box counted, for the loop that takes it next; but
// looks at it again only once woken, as by the next event from X.
void cmd_pend_exp::waitUntil(const std::function<bool()>& done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    wake();
}

void cmd_pend_exp::wake() { QCoreApplication::instance()->thread()->eventDispatcher()->wakeUp(); }

// The close box has no handler of its own: it ends the program and records nothing. Asked
// while a command runs, the window stays until the command is done.
void cmd_pend_exp::closeEvent(QCloseEvent* event) {
    form_.endProgram();
    event->setAccepted(form_.hasEnded());
}

std::string cmd_pend_exp::questionText() const { return txt_question->codePageText(); }

void cmd_pend_exp::setQuestionText(const std::string& text) { txt_question->setCodePageText(text); }

void cmd_pend_exp::appendToQuestion(const std::string& text) { txt_question->appendCodePageText(text); }

std::string cmd_pend_exp::answerText() const { return txt_answer->codePageText(); }

void cmd_pend_exp::setAnswerText(const std::string& text) { txt_answer->setCodePageText(text); }

void cmd_pend_exp::setUserScale(cj::PictureBoxId box, float width, float height) {
    (box == cj::PictureBoxId::Picture1 ? Picture1 : Picture2)->setUserScale(width, height);
}

}  // namespace cj::ui
