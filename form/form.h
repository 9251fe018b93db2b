#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "file_thread.h"
#include "platform.h"
#include "run.h"
#include "toolkit_window.h"

namespace cj::form {

struct Control;

// What every window of the program does alike, whatever its toolkit: it owns the run, runs
// what each button's press and each timer asks through one guard, one command at a time, ends
// the program in one way, and keeps the answer box's draft once typing pauses. The window only
// passes its events on.
class Form {
public:
    // The run's file work is done on a thread of the form's own, platform's being ignored.
    Form(const Platform& platform, ToolkitWindow& window);

    Run& run() { return run_; }
    bool hasEnded() const { return ended_; }

    // Start-up, before the window is shown; it may end the program.
    void load();
    // Once the window is shown, from inside the event loop, so that its message stands over it.
    void restoreDraft();

    // A click on the control of that name, or a key that pressed it: runs its command, if it has
    // one, as a command the student gave.
    void press(std::string_view control);
    void pictureTimerTicked();

    // Once the program has ended nothing runs; a failure that no command trapped is reported
    // rather than left to abort the program, and the end of the program ends it.
    void guarded(const std::function<void()>& handler);

    // The close box, "quit program", a run that ends the program, or the system asking: once
    // only, and quickly out of sight, since keeping the draft may wait on a slow network. Asked
    // while a command runs, or its message is shown, it ends the program once the command is done.
    void endProgram();

    // The window's own actions, which the control table names for buttons as it names the run's
    // commands; each runs as a command the student gave.
    void copyPicture();
    // A second start would begin the interval again; once running, the timer runs to the end.
    void startPictureTimer();

    // Each change of the answer box starts the pause over, so the draft is written when typing
    // stops, not on each key.
    void answerChanged();
    // A draft that could not be kept is tried again at the next pause, without a message. A
    // pause over while a command runs keeps the draft once the command is done.
    void draftPauseOver();

private:
    // The messages a command shows wait until what the student gave meanwhile has reached the
    // window: a message box would otherwise take the keys typed ahead, and hide a close.
    class HeldMessages final : public Dialogs {
    public:
        explicit HeldMessages(Dialogs& shown) : shown_(shown) {}
        TypedAnswer answerTo(const std::string& prompt) override { return shown_.answerTo(prompt); }
        void msgBox(const std::string& message) override;
        void hold() { holding_ = true; }
        bool any() const { return !held_.empty(); }
        // Shows what was held, in order; a message that fails to show is passed over.
        void showHeld();

    private:
        Dialogs& shown_;
        bool holding_ = false;
        std::vector<std::string> held_;
    };

    // A command the student gave with a click or a key runs guarded, the window showing that it
    // is busy. A command that records leaves the recording buttons disabled until what the
    // student gave meanwhile has been served, so that a second click cannot record the box it
    // emptied; everything else given meanwhile is carried out after it, in order: the keys first,
    // then the command's messages, then the buttons pressed and the close.
    void command(const std::function<void()>& handler, bool records = false);

    HeldMessages messages_;
    ToolkitWindow& window_;
    Run run_;
    // After the run, so that it is stopped before the run it works for goes.
    FileThread files_;
    bool ended_ = false;
    bool busy_ = false;
    bool endAsked_ = false;
    bool draftDue_ = false;
    std::vector<const Control*> pressedMeanwhile_;
    bool pictureTimerRuns_ = false;
};

}  // namespace cj::form
