#include "form.h"

#include <chrono>

#include "failure_messages.h"
#include "run_error.h"

namespace cj::form {

namespace {

// Input that came while a command kept the window busy long enough for the student to see it
// wait is dropped; what was typed ahead of a quick command is the student's own and is kept.
constexpr std::chrono::milliseconds kSeenBusy{100};

}  // namespace

Form::Form(const Platform& platform, ToolkitWindow& window)
    : dialogs_(platform.dialogs), window_(window), run_(platform) {}

void Form::load() {
    guarded([this] {
        run_.startRun();
        run_.openAssignment();
    });
}

void Form::restoreDraft() {
    guarded([this] { run_.restoreDraft(); });
}

void Form::press(std::string_view control) {
    const Control* pressed = findControl(control);
    if (!pressed || !pressed->command) return;
    const Command& given = pressed->command;
    command([&] {
        if (given.ofRun) {
            (run_.*given.ofRun)();
        } else {
            act(given.action);
        }
    });
}

void Form::act(WindowAction action) {
    switch (action) {
        case WindowAction::CopyPicture: window_.copyPicture(); break;
        case WindowAction::StartPictureTimer:
            if (!pictureTimerRuns_) pictureTimerRuns_ = window_.startPictureTimer();
            break;
        case WindowAction::EndProgram: endProgram(); break;
        case WindowAction::None: break;
    }
}

void Form::pictureTimerTicked() {
    guarded([this] { run_.timerTick(); });
}

void Form::guarded(const std::function<void()>& handler) {
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

void Form::command(const std::function<void()>& handler) {
    if (ended_) return;
    const auto started = std::chrono::steady_clock::now();
    window_.showBusy(true);
    guarded(handler);
    if (!ended_ && std::chrono::steady_clock::now() - started >= kSeenBusy) window_.dropInputMeanwhile();
    window_.showBusy(false);
}

void Form::endProgram() {
    if (ended_) return;
    ended_ = true;
    window_.stopTimers();
    window_.hideWindow();
    // Whatever way the program ends, what waits unrecorded in the answer box is kept.
    run_.finishRun();
    window_.leaveEventLoop();
}

void Form::answerChanged() {
    guarded([this] { window_.startDraftPause(); });
}

void Form::draftPauseOver() {
    guarded([this] {
        if (!run_.keepDraft()) window_.startDraftPause();
    });
}

}  // namespace cj::form
