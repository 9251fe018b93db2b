#include "form.h"

#include <utility>

#include "control_table.h"
#include "failure_messages.h"
#include "run_error.h"

namespace cj::form {

Form::Form(const Platform& platform, ToolkitWindow& window)
    : messages_(platform.dialogs),
      window_(window),
      run_(Platform{messages_, platform.boxes, platform.pictures, platform.clock, platform.random,
                    platform.drives, files_}),
      files_(window) {}

void Form::load() {
    guarded([this] {
        run_.startRun();
        run_.openAssignment();
    });
}

void Form::restoreDraft() {
    command([this] { run_.restoreDraft(); });
}

void Form::press(std::string_view control) {
    const Control* pressed = findControl(control);
    if (!pressed || !pressed->command) return;
    if (busy_) return pressedMeanwhile_.push_back(pressed);
    const Command& given = pressed->command;
    command(
        [&] {
            if (given.ofRun) {
                (run_.*given.ofRun)();
            } else {
                (this->*given.ofWindow)();
            }
        },
        given.records);
}

void Form::copyPicture() { window_.copyPicture(); }

void Form::startPictureTimer() {
    if (!pictureTimerRuns_) pictureTimerRuns_ = window_.startPictureTimer();
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
        messages_.msgBox(failureMessage(failure));
    } catch (...) {
    }
}

void Form::command(const std::function<void()>& handler, bool records) {
    if (ended_ || busy_) return;
    busy_ = true;
    window_.showBusy(true);
    if (records) window_.enableRecording(false);
    messages_.hold();
    guarded(handler);
    window_.showBusy(false);
    if (records || messages_.any()) window_.serveHeldInput();
    messages_.showHeld();
    busy_ = false;
    if (endAsked_) return endProgram();
    if (std::exchange(draftDue_, false)) draftPauseOver();
    if (records && !ended_) window_.enableRecording(true);
    for (const Control* pressed : std::exchange(pressedMeanwhile_, {})) press(pressed->name);
}

void Form::HeldMessages::msgBox(const std::string& message) {
    if (holding_) return held_.push_back(message);
    shown_.msgBox(message);
}

void Form::HeldMessages::showHeld() {
    holding_ = false;
    for (const std::string& message : std::exchange(held_, {})) {
        try {
            shown_.msgBox(message);
        } catch (...) {
        }
    }
}

void Form::endProgram() {
    if (ended_) return;
    if (busy_) {
        endAsked_ = true;
        return;
    }
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
    if (busy_) {
        draftDue_ = true;
        return;
    }
    guarded([this] {
        if (!run_.keepDraft()) window_.startDraftPause();
    });
}

}  // namespace cj::form
