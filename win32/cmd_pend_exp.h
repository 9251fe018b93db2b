#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "code_page_edit.h"
#include "controls.h"
#include "form.h"
#include "picture_box.h"
#include "platform.h"
#include "scroll_frame.h"

namespace cj::win32 {

// The program's one window on Windows. Its form owns the run; the window gives the run the
// question and answer boxes and the picture boxes, and passes each of its events on to the form.
class cmd_pend_exp : public TextBoxes, public PicturePanel, private form::ToolkitWindow {

public:
    cmd_pend_exp(HINSTANCE instance, Dialogs& dialogs, Clock& clock, RandomSource& random, const DriveMap& drives);
    cmd_pend_exp(const cmd_pend_exp&) = delete;
    cmd_pend_exp& operator=(const cmd_pend_exp&) = delete;
    ~cmd_pend_exp() override;

    HWND handle() const { return window_; }

    // Start-up, before the window exists; it may end the program.
    void Form_Load();
    bool hasEnded() const { return form_.hasEnded(); }
    // Makes the window and its controls, only now, so that the first prompt waits for none of
    // them, and shows it with the focus in the question box; the answer an earlier run left
    // unrecorded comes back once the event loop runs.
    void show(int showCommand);

    std::string questionText() const override;
    void setQuestionText(const std::string& text) override;
    void appendToQuestion(const std::string& text) override;
    std::string answerText() const override;
    void setAnswerText(const std::string& text) override;
    void setUserScale(cj::PictureBoxId box, float width, float height) override;
    void drawCircle(cj::PictureBoxId box, float x, float y, float radius) override;
    void beep() override;

private:
    static constexpr UINT_PTR kPendExpTimer = 1;
    // Fires once the answer box has been left alone long enough for its draft to be kept.
    static constexpr UINT_PTR kDraftTimer = 2;
    static constexpr UINT kRestoreDraft = WM_APP;

    void createForm();
    // The controls the run works on.
    void takeControls();
    // The form's fixed size, within the screen, and every control's place and font, at this many
    // dots per inch.
    void fitTo(UINT dotsPerInch, const RECT* suggested);

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int notification);
    void onTimer(UINT_PTR timer);
    // The focus comes back to the control that had it when the window was left.
    void onActivate(bool leaving);

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

    // Set by the file thread as each piece of work is done; made before the form, whose thread uses it.
    std::unique_ptr<void, decltype(&CloseHandle)> workDone_{CreateEventW(nullptr, FALSE, FALSE, nullptr), &CloseHandle};
    form::Form form_;
    HINSTANCE instance_;
    HWND window_ = nullptr;
    ScrollFrame frame_;
    std::unique_ptr<Controls> controls_;
    CodePageEdit txt_question;
    CodePageEdit txt_answer;
    win32::PictureBox Picture1;
    win32::PictureBox Picture2;
    HWND focusWhenLeft_ = nullptr;
};

}  // namespace cj::win32
