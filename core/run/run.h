#pragma once

#include <atomic>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

#include "platform.h"
#include "run_error.h"
#include "run_state.h"
#include "script_table.h"
#include "student_files.h"

namespace cj {

// Thrown to end the program: it stops the running procedure at once and passes every trap;
// the window ends the program when it arrives there.
struct ProgramEnded {};

// One run of the program: its state, its script, and every command the window offers.
class Run {
public:
    explicit Run(Platform platform);

    RunState& state() { return state_; }
    ScriptTable& script() { return script_; }

    // Start-up, in this order, before the window is shown.
    void startRun();
    void loadBuiltInScript();
    void openAssignment();

    // Stepping through the script.
    void readNextQuestion();
    void nextQuestion();
    void nextPicture();
    void runRoutine(const std::string& routine);

    // Recording what the student typed.
    void enterResponse();
    void saveAsNotes();

    // Looking back.
    void displayNotes();
    void displayEverything();
    void clearAnswerBox();

    // The answer box kept in a draft file until it is recorded, so that a crash, a power cut or
    // the close box loses nothing typed. Once the assignment is open and the window shown, puts
    // back the draft an earlier run of this student left.
    void restoreDraft();
    // Brings the draft in line with the answer box: the window calls it after a pause in typing;
    // a change the run makes to the box itself is kept at once. The draft is written behind the
    // student's back, so typing never waits for the share. Shows nothing: returns true once the
    // box's text is in the draft file; else the window looks again, and tries again, at the next
    // pause.
    bool keepDraft();
    // As the program ends, in whatever way: keeps the draft and delivers what the class file
    // still lacks, waiting a few seconds at most. Shows nothing and never throws, so that ending
    // is never held up.
    void finishRun();

    // One tick of the picture panel's timer: a beep and a circle of random size.
    void timerTick();

    // Converts query.txt in the data directory into queri.txt, taking the coding number
    // from the length of its first line.
    void codeFile();

private:
    // Runs body, reporting any failure to the student instead of letting it travel on; only
    // the end of the program passes.
    template <typename Body>
    void trapped(Body&& body);
    void showFailure(int errorNumber);
    [[noreturn]] static void endProgram();

    std::filesystem::path locate(const std::string& dosPath) const { return platform_.drives.locate(dosPath); }
    // The box still holds the instructions it was given: the student typed nothing.
    bool nothingTyped(const std::string& answer) const { return answer == state_.answerPrompt; }
    // What every command that recorded text does once its record is made.
    void recorded(std::string text);
    // What the files gave the student to know, after the command that found it.
    void tellNews();
    void clearBoxes();
    // The run replaces the answer box's text: what was typed there is no record in progress.
    void setAnswerText(const std::string& text);
    // Work on the student's files and the share, done where the window can wait for it.
    void onFiles(const std::function<void()>& work) { platform_.fileWork.run(work); }
    // A newer draft replaces one not yet written.
    void writeDraft(std::string text);

    Platform platform_;
    RunState state_;
    ScriptTable script_;
    // The files a run writes, all but the first in the data folder and named after the student:
    //   i:\responses.txt  every response, one bare line, for the whole class
    //   send file          a header at each start, then every response and note, framed
    //   notes file         every note, shown back by "display notes"
    //   master file        made at start, then every note
    //   draft file         the answer box while nothing in it is recorded
    //   outbox             class-file lines waiting for the class file to be reachable
    //   record in progress  beside the draft, what a half-written record still owes its files
    StudentFiles files_;
    // The draft waiting to be written, shared with the file work.
    std::mutex draftMutex_;
    std::optional<std::string> nextDraft_;
    // The last draft handed to the file work, and how its writing went.
    std::optional<std::string> draftGiven_;
    enum class DraftWrite { Waiting, Done, Failed };
    std::atomic<DraftWrite> draftWrite_ = DraftWrite::Done;
};

template <typename Body>
void Run::trapped(Body&& body) {
    try {
        body();
    } catch (const ProgramEnded&) {
        throw;
    } catch (...) {
        showFailure(currentFailureNumber());
    }
}

}  // namespace cj
