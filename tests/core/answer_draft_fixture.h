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

    std::filesystem::path draftFile() const { return dataFile("draft_Student_One.txt"); }
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

}  // namespace cj::test
