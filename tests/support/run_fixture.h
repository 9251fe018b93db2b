#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "fakes.h"
#include "run.h"

namespace cj::test {

enum class Command { Response, Notes };
// The files a record goes to, Student One's on 7 December, and the outbox.
enum class RecordFile { Send, Class, Master, Notes, Outbox };

// A run whose drives all lie in a fresh temporary folder, with scripted prompts and draws.
class RunFixture : public testing::Test, protected FakePlatform {
protected:
    cj::Run& run() {
        if (!run_) run_ = std::make_unique<cj::Run>(platform());
        return *run_;
    }
    RunState& state() { return run().state(); }

    // The four start-up answers, then startRun and openAssignment as the window runs them.
    void start(const std::string& homeOrNetwork, const std::string& name, const std::string& initials,
               const std::string& assignment) {
        dialogs.answers = {homeOrNetwork, name, initials, assignment};
        run().startRun();
        run().openAssignment();
    }
    // The program ended as the window ends it, and Student One at home again, the window shown.
    void restart() {
        run().finishRun();
        run_.reset();
        start("1", "Student One", "STO", "1");
        run().restoreDraft();
    }

    std::filesystem::path onDrive(char letter, const std::string& rest) const {
        return temp.path() / std::string(1, letter) / rest;
    }
    std::filesystem::path dataFile(const std::string& name) const { return onDrive('c', "qorsdata/" + name); }
    std::filesystem::path fileOf(RecordFile file) const {
        switch (file) {
            case RecordFile::Send: return dataFile(fileNamesOf().send);
            case RecordFile::Class: return onDrive('i', "responses.txt");
            case RecordFile::Master: return dataFile(fileNamesOf().master);
            case RecordFile::Notes: return dataFile(fileNamesOf().notes);
            case RecordFile::Outbox: return dataFile(fileNamesOf().outbox);
        }
        return {};
    }

    // What the student typed, recorded by the command's button.
    void record(Command command, const std::string& typed) {
        boxes.answer = typed;
        command == Command::Response ? run().enterResponse() : run().saveAsNotes();
    }

private:
    std::unique_ptr<cj::Run> run_;
};

}  // namespace cj::test
