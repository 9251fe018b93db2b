#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "run_fixture.h"

namespace cj::test {

class AnswerDraft : public RunFixture {
public:
    // For the table's rows, which act on the run from outside.
    using RunFixture::dataFile;
    using RunFixture::run;
    using RunFixture::state;
    using FakePlatform::boxes;
    using FakePlatform::dialogs;

    std::filesystem::path draftFile() const { return dataFile(fileNamesOf().draft); }
    // Starts Student One's run as the window does, an earlier run having left this draft.
    void startWith(const std::optional<std::string>& earlierDraft) {
        if (earlierDraft) writeBytes(draftFile(), *earlierDraft);
        start("1", "Student One", "STO", "1");
        run().restoreDraft();
    }
    // What the student types, then a pause.
    void type(const std::string& text) {
        boxes.answer = text;
        run().keepDraft();
    }
    std::optional<std::string> draft() const {
        if (!std::filesystem::exists(draftFile())) return std::nullopt;
        return readBytes(draftFile());
    }
    // Every file whose name begins with the draft's: a temporary one left by a save shows here.
    int draftLikeFiles() const {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(draftFile().parent_path())) {
            count += entry.path().filename().string().starts_with(draftFile().filename().string());
        }
        return count;
    }
};

// One copy of the program, with boxes and prompts of its own, on the computer's drives: Student
// One's run as the window starts it.
struct Copy {
    explicit Copy(FakePlatform& computer)
        : run({dialogs, boxes, computer.pictures, computer.clock, computer.random, computer.drives}) {
        dialogs.answers = {"1", "Student One", "STO", "1"};
        run.startRun();
        run.openAssignment();
        run.restoreDraft();
    }
    void type(const std::string& text) {
        boxes.answer = text;
        run.keepDraft();
    }

    ScriptedDialogs dialogs;
    FakeBoxes boxes;
    cj::Run run;
};

inline const std::string kNameInUse =
    "Class Journal is already running under this name, on this computer or another. What you type here is kept "
    "apart from what you type there.";

}  // namespace cj::test
