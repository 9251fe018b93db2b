#include "cmd_pend_exp.h"

#include "control_table.h"
#include "event_loop.h"
#include "run_error.h"
#include "wide_text.h"

namespace cj::win32 {

namespace {

constexpr wchar_t kClassName[] = L"cmd_pend_exp";
// A fixed size: a caption, a close box and a minimize box, no sizing border.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

cmd_pend_exp::cmd_pend_exp(HINSTANCE instance, Dialogs& dialogs, Clock& clock, RandomSource& random,
                           const DriveMap& drives)
    : form_(Platform{dialogs, *this, *this, clock, random, drives}, *this), instance_(instance), frame_(kStyle) {
    if (!workDone_) throw RunError(kOutOfMemory);
}

cmd_pend_exp::~cmd_pend_exp() { DestroyWindow(window_); }

void cmd_pend_exp::createForm() {
    WNDCLASSEXW formClass{};
    formClass.cbSize = sizeof formClass;
    formClass.lpfnWndProc = windowProcedure;
    formClass.hInstance = instance_;
    formClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    formClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = kClassName;
    RegisterClassExW(&formClass);
    // Hidden until its controls are made; it is placed and sized once its screen's density is known.
    CreateWindowExW(0, kClassName, wideOf(form::kTitle).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                    nullptr, nullptr, instance_, this);
    if (!window_) throw RunError(kOutOfMemory);
    frame_.attach(window_);
    controls_ = std::make_unique<Controls>(window_, instance_);
    for (HWND control : controls_->handles()) frame_.follow(control);
    takeControls();
    fitTo(GetDpiForWindow(window_), nullptr);
}

void cmd_pend_exp::takeControls() {
    txt_question.attach((*controls_)["txt_question"]);
    txt_answer.attach((*controls_)["txt_answer"]);
    Picture1.attach((*controls_)["Picture1"]);
    Picture2.attach((*controls_)["Picture2"]);
    focusWhenLeft_ = txt_question.handle();
}

void cmd_pend_exp::fitTo(UINT dotsPerInch, const RECT* suggested) {
    const int dpi = static_cast<int>(dotsPerInch);
    frame_.fit({form::pixelsOf(form::kClientWidthTwips, dpi), form::pixelsOf(form::kClientHeightTwips, dpi)},
               dotsPerInch, suggested);
    controls_->layOut(dotsPerInch);
}

void cmd_pend_exp::Form_Load() { form_.load(); }

void cmd_pend_exp::show(int showCommand) {
    createForm();
    ShowWindow(window_, showCommand);
    SetForegroundWindow(window_);
    SetFocus(txt_question.handle());
    // From inside the event loop, so that its message stands over the shown window.
    PostMessageW(window_, kRestoreDraft, 0, 0);
}

void cmd_pend_exp::stopTimers() {
    KillTimer(window_, kPendExpTimer);
    KillTimer(window_, kDraftTimer);
}

void cmd_pend_exp::hideWindow() { ShowWindow(window_, SW_HIDE); }

// Before the loop has started the request waits unread, and main sees hasEnded() instead.
void cmd_pend_exp::leaveEventLoop() { PostQuitMessage(0); }

void cmd_pend_exp::startDraftPause() { SetTimer(window_, kDraftTimer, form::kDraftPauseMilliseconds, nullptr); }

void cmd_pend_exp::showBusy(bool busy) { SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

void cmd_pend_exp::enableRecording(bool enabled) {
    for (const form::Control& c : form::controls()) {
        if (c.command.records) EnableWindow((*controls_)[c.name], enabled);
    }
}

void cmd_pend_exp::serveHeldInput() { serveWaitingInput(window_); }

// Only paints, timers and messages sent by other threads are served; the student's clicks and
// keys, and the closes posted to the window, stay in the queue for afterwards. Looking at the
// queue at least every tenth of a second keeps Windows from taking the window for one that hangs.
void cmd_pend_exp::waitUntil(const std::function<bool()>& done) {
    constexpr DWORD kLookEvery = 100;
    HANDLE workDone = workDone_.get();
    while (!done()) {
        MsgWaitForMultipleObjectsEx(1, &workDone, kLookEvery, QS_PAINT | QS_TIMER | QS_SENDMESSAGE, 0);
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&message);
        while (PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&message);
    }
}

void cmd_pend_exp::wake() { SetEvent(workDone_.get()); }

std::string cmd_pend_exp::questionText() const { return txt_question.text(); }

void cmd_pend_exp::setQuestionText(const std::string& text) { txt_question.setText(text); }

void cmd_pend_exp::appendToQuestion(const std::string& text) { txt_question.append(text); }

std::string cmd_pend_exp::answerText() const { return txt_answer.text(); }

void cmd_pend_exp::setAnswerText(const std::string& text) { txt_answer.setText(text); }

void cmd_pend_exp::setUserScale(cj::PictureBoxId box, float width, float height) {
    (box == cj::PictureBoxId::Picture1 ? Picture1 : Picture2).setUserScale(width, height);
}

void cmd_pend_exp::drawCircle(cj::PictureBoxId box, float x, float y, float radius) {
    (box == cj::PictureBoxId::Picture1 ? Picture1 : Picture2).drawCircle(x, y, radius);
}

void cmd_pend_exp::beep() { MessageBeep(MB_OK); }

void cmd_pend_exp::copyPicture() { copyPictureThroughClipboard(window_, Picture1, Picture2); }

bool cmd_pend_exp::startPictureTimer() {
    return SetTimer(window_, kPendExpTimer, form::kTimerIntervalMilliseconds, nullptr) != 0;
}

}  // namespace cj::win32
