#include <cmath>
#include <system_error>

#include "clock_text.h"
#include "code_page.h"
#include "failure_messages.h"
#include "file_names.h"
#include "number_text.h"
#include "run.h"

namespace cj {

namespace {

const std::string kLocalDataDir = "c:\\qorsdata";
const std::string kNetworkDataDir = "i:\\bkp_000416\\My Documents\\distance students\\interactive problems\\lb1";

const std::string kAnswerPrompt =
    "Enter, as appropriate, an answer to the question, a critique of your answer in response to a given answer, "
    "your insights regarding the situation at this point, notes to yourself, or just an OK.\r\n\r\n"
    "Always critique your solutions by describing any insights you had or errors you makde, and by explaining how "
    "you can make use of the insight or how you now know how to avoid certain errors.  Also pose for the "
    "instructor any question or questions that you have related to the problem or series of problems.";

constexpr int kPromptLines = 15;

}  // namespace

void Run::startRun() {
    RunState& s = state_;
    platform_.random.seed(static_cast<float>(platform_.clock.now().secondsSinceMidnight));

    // The local data directory is made whatever the student answers; it may exist already.
    onFiles([this] {
        std::error_code ignored;
        std::filesystem::create_directory(locate(kLocalDataDir), ignored);
    });

    trapped([&] {
        // In double precision, so that a draw just below 1 cannot round up to 29.
        s.codeNbr = static_cast<float>(std::floor(platform_.random.next() * 10.0 + 19.0));
        platform_.pictures.setUserScale(PictureBoxId::Picture1, 1000, 1000);
        platform_.pictures.setUserScale(PictureBoxId::Picture2, 1000, 1000);

        const double homeOrNetwork = numberFromAnswer(platform_.dialogs.inputBox(std::string(kHomeOrNetworkPrompt.text)));
        s.dataDir = homeOrNetwork == 2 ? kNetworkDataDir : kLocalDataDir;
        // The files carry the name as typed, so that names the code page cannot write stay apart.
        const TypedAnswer name = platform_.dialogs.answerTo(std::string(kNamePrompt.text));
        s.fullName = name.codePage;
        s.initials = platform_.dialogs.inputBox(std::string(kInitialsPrompt.text));

        const std::string today = dateText(platform_.clock.now());
        StudentFileNames names = studentFileNames(s.dataDir, name.unicode, today);
        // A student may work at home and in the lab on one computer: both outboxes are theirs.
        names.outboxes.clear();
        for (const std::string& dir : {kLocalDataDir, kNetworkDataDir}) {
            names.outboxes.push_back(studentFileNames(dir, name.unicode, today).outbox);
        }
        s.masterFilePath = codePageOfUtf8(names.master);
        s.sendFilePath = codePageOfUtf8(names.send);
        s.notesFilePath = codePageOfUtf8(names.notes);
        files_.name(std::move(names));

        s.assignmentNumber = platform_.dialogs.inputBox(std::string(kAssignmentPrompt.text));
        s.answerPrompt = kAnswerPrompt;
        s.lineSeparator = " <-<-<-<-  Q/A:   ";
        s.responseSeparator = " YOUR ANSWER  ->->->->  ";
        s.assignmentNumber = padAssignmentNumber(s.assignmentNumber);
        s.nextAssignmentNumber = padAssignmentNumber(numberText(numericValue(s.assignmentNumber) + 1));
        s.lineIndex = 0;
        loadBuiltInScript();
    });
}

void Run::loadBuiltInScript() {
    script_.write(++state_.lineIndex, "001.  Responses");
    for (int i = 0; i < kPromptLines; ++i) {
        script_.write(++state_.lineIndex, "");
        script_.write(++state_.lineIndex, "Please respond to the question.");
    }
    script_.write(++state_.lineIndex, "");
}

}  // namespace cj
