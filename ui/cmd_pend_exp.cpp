#include "cmd_pend_exp.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <utility>

#include "code_page_text_box.h"
#include "controls.h"
#include "failure_messages.h"
#include "picture_box.h"

namespace cj::ui {

namespace {

constexpr int kClientWidthTwips = 10875;
constexpr int kClientHeightTwips = 8595;
// Long enough that a draft is never written while the student types, short enough to lose little.
constexpr int kDraftPauseMilliseconds = 2000;

template <typename Control>
Control* control(QWidget& window, const char* name) {
    return window.findChild<Control*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

}  // namespace

cmd_pend_exp::cmd_pend_exp(Dialogs& dialogs, Clock& clock, RandomSource& random, const DriveMap& drives,
                           QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      random_(random),
      run_(Platform{dialogs, *this, *this, clock, random, drives}) {
    setUpForm();
    createControls(*this);
    takeControls();
    wireHandlers();
}

void cmd_pend_exp::setUpForm() {
    setObjectName(QStringLiteral("cmd_pend_exp"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(pixelsOf(kClientWidthTwips), pixelsOf(kClientHeightTwips));
    // The captions were sized for a small sans serif; the desktop's default clips several.
    QFont captions(QStringLiteral("Arial"));
    captions.setPointSizeF(7.5);
    setFont(captions);
}

void cmd_pend_exp::takeControls() {
    txt_question = control<CodePageTextBox>(*this, "txt_question");
    txt_answer = control<CodePageTextBox>(*this, "txt_answer");
    Picture1 = control<PictureBox>(*this, "Picture1");
    Picture2 = control<PictureBox>(*this, "Picture2");
    tmr_pend_exp = new QTimer(this);
    tmr_pend_exp->setObjectName(QStringLiteral("tmr_pend_exp"));
    tmr_pend_exp->setInterval(15);
    tmr_draft = new QTimer(this);
    tmr_draft->setObjectName(QStringLiteral("tmr_draft"));
    tmr_draft->setSingleShot(true);
    tmr_draft->setInterval(kDraftPauseMilliseconds);
}

void cmd_pend_exp::wireHandlers() {
    const std::pair<const char*, void (cmd_pend_exp::*)()> clickHandlers[] = {
        {"cmdNextQuestion", &cmd_pend_exp::cmdNextQuestion_Click},
        {"cmd_next_picture", &cmd_pend_exp::cmd_next_picture_Click},
        {"cmd_enter_response", &cmd_pend_exp::cmd_enter_response_Click},
        {"cmd_save_as_notes", &cmd_pend_exp::cmd_save_as_notes_Click},
        {"cmd_display_note_file", &cmd_pend_exp::cmd_display_note_file_Click},
        {"cmd_displayCumulativeText", &cmd_pend_exp::cmd_displayCumulativeText_Click},
        {"cmd_clear_answer_box", &cmd_pend_exp::cmd_clear_answer_box_Click},
        {"cmd_copy_picture", &cmd_pend_exp::cmd_copy_picture_Click},
        {"cmd_pend_exp", &cmd_pend_exp::cmd_pend_exp_Click},
        {"cmd_quit", &cmd_pend_exp::cmd_quit_Click},
    };
    for (const auto& [name, handler] : clickHandlers) {
        connect(control<QPushButton>(*this, name), &QPushButton::clicked, this,
                [this, handler = handler] { guarded([&] { (this->*handler)(); }); });
    }
    connect(tmr_pend_exp, &QTimer::timeout, this, [this] { guarded([this] { tmr_pend_exp_Timer(); }); });
    connect(txt_answer, &QPlainTextEdit::textChanged, this, [this] { guarded([this] { txt_answer_Change(); }); });
    connect(tmr_draft, &QTimer::timeout, this, [this] { guarded([this] { tmr_draft_Timer(); }); });
}

void cmd_pend_exp::Form_Load() {
    guarded([this] {
        run_.startRun();
        run_.openAssignment();
    });
}

void cmd_pend_exp::restoreDraft() {
    guarded([this] { run_.restoreDraft(); });
}

void cmd_pend_exp::guarded(const std::function<void()>& handler) {
    if (ended_) return;
    int failure = 0;
    try {
        handler();
    } catch (const ProgramEnded&) {
        endProgram();
    } catch (...) {
        failure = currentFailureNumber();
    }
    if (failure == 0) return;
    // Shown after the exception is gone, so that memory it held is free for the message; if
    // even the message fails, going on quietly still beats losing what the student typed.
    try {
        dialogs_.msgBox(failureMessage(failure));
    } catch (...) {
    }
}

void cmd_pend_exp::endProgram() {
    if (ended_) return;
    ended_ = true;
    tmr_pend_exp->stop();
    tmr_draft->stop();
    hide();
    // Whatever way the program ends, what waits unrecorded in the answer box is kept.
    run_.finishRun();
    // Outside a running loop Qt would keep the request and make the next loop, even a modal
    // dialog's, return at once; before the loop starts, main sees hasEnded() instead.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

// The close box has no handler of its own: it ends the program and records nothing.
void cmd_pend_exp::closeEvent(QCloseEvent* event) {
    endProgram();
    event->accept();
}

std::string cmd_pend_exp::questionText() const { return txt_question->codePageText(); }

void cmd_pend_exp::setQuestionText(const std::string& text) { txt_question->setCodePageText(text); }

void cmd_pend_exp::appendToQuestion(const std::string& text) { txt_question->appendCodePageText(text); }

std::string cmd_pend_exp::answerText() const { return txt_answer->codePageText(); }

void cmd_pend_exp::setAnswerText(const std::string& text) { txt_answer->setCodePageText(text); }

void cmd_pend_exp::setUserScale(cj::PictureBox box, float width, float height) {
    (box == cj::PictureBox::Picture1 ? Picture1 : Picture2)->setUserScale(width, height);
}

}  // namespace cj::ui
