#pragma once

#include <filesystem>
#include <functional>
#include <new>
#include <string>

#include "platform.h"
#include "run_error.h"
#include "run_state.h"
#include "script_table.h"

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

    // One tick of the picture panel's timer: a beep and a circle of random size.
    void timerTick();

    // Converts query.txt in the data directory into queri.txt, taking the coding number
    // from the length of its first line.
    void codeFile();

private:
    // Runs body, reporting a RunError to the student instead of letting it travel on.
    template <typename Body>
    void trapped(Body&& body);
    void report(int errorNumber);
    [[noreturn]] static void endProgram();

    std::filesystem::path locate(const std::string& dosPath) const { return platform_.drives.locate(dosPath); }
    std::string composeHeader(const std::string& assignmentLine);
    void appendToSendFile(const std::string& record);
    // Runs write, keeping the first failure's number, so that one file's failure does not keep
    // the record from the others.
    static void keepFirstFailure(int& failure, const std::function<void()>& write);
    void clearBoxes();

    Platform platform_;
    RunState state_;
    ScriptTable script_;
    std::string unwrittenHeader_;
};

template <typename Body>
void Run::trapped(Body&& body) {
    try {
        body();
    } catch (const RunError& failure) {
        report(failure.number());
    } catch (const std::bad_alloc&) {
        report(kOutOfMemory);
    }
}

}  // namespace cj
