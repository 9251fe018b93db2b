#pragma once

#include <QWidget>
#include <string>
#include <utility>

#include "close_requests.h"
#include "form.h"
#include "platform.h"

class QTimer;

namespace cj::ui {

class CodePageTextBox;
class PictureBox;

// The program's one window on Linux. Its form owns the run; the window gives the run the
// question and answer boxes and the picture boxes, and passes each of its events on to the form.
class cmd_pend_exp : public QWidget, public TextBoxes, public PicturePanel, private form::ToolkitWindow {
    Q_OBJECT

public:
    cmd_pend_exp(Dialogs& dialogs, Clock& clock, RandomSource& random, const DriveMap& drives,
                 QWidget* parent = nullptr);

    // Start-up, before the window is shown; it may end the program.
    void Form_Load();
    bool hasEnded() const { return form_.hasEnded(); }
    // Once the window is shown: the answer an earlier run left unrecorded comes back.
    void restoreDraft();

    Run& run() { return form_.run(); }
    CodePageTextBox& questionBox() { return *txt_question; }
    CodePageTextBox& answerBox() { return *txt_answer; }

    // The window's public operations; those that act on the run may end the program.
    void readNextQuestion();
    std::string code(const std::string& aLine, float codeNbr) const;
    void codeFile();
    std::string decode(const std::string& aLine, float codeNbr) const;
    std::string remSpaces(const std::string& aLine) const;
    std::string makeCodeLine(float codeNbr);
    void runRoutine(const std::string& routine);

    std::string questionText() const override;
    void setQuestionText(const std::string& text) override;
    void appendToQuestion(const std::string& text) override;
    std::string answerText() const override;
    void setAnswerText(const std::string& text) override;
    void setUserScale(cj::PictureBoxId box, float width, float height) override;
    void drawCircle(cj::PictureBoxId box, float x, float y, float radius) override;
    void beep() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpForm();
    // The controls the run works on, and the timer, which has no place on the form.
    void takeControls();
    void wireEvents();

    void stopTimers() override;
    void hideWindow() override;
    void leaveEventLoop() override;
    void startDraftPause() override;
    void showBusy(bool busy) override;
    void enableRecording(bool enabled) override;
    void serveHeldInput() override;
    void waitUntil(const std::function<bool()>& done) override;
    void wake() override;
    void copyPicture() override;
    bool startPictureTimer() override;

    RandomSource& random_;
    form::Form form_;
    CloseRequests closeRequests_{*this, [this] { form_.endProgram(); }};

    CodePageTextBox* txt_question = nullptr;
    CodePageTextBox* txt_answer = nullptr;
    PictureBox* Picture1 = nullptr;
    PictureBox* Picture2 = nullptr;
    QTimer* tmr_pend_exp = nullptr;
    // Fires once the answer box has been left alone long enough for its draft to be kept.
    QTimer* tmr_draft = nullptr;
    // Where the focus was as a record began, and where disabling the buttons put it.
    std::pair<QWidget*, QWidget*> focusWhileRecording_;
};

}  // namespace cj::ui
