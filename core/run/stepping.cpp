#include "ascii_case.h"
#include "line_coding.h"
#include "run.h"

namespace cj {

namespace {

bool isRoutineLine(const std::string& line) { return asciiLowerCase(line.substr(0, 8)) == "`routine"; }

// The routine a routine line names: from its tenth character on, without blanks and hyphens.
std::string routineName(const std::string& line) {
    return line.size() < 10 ? std::string() : asciiLowerCase(remSpaces(line.substr(9)));
}

}  // namespace

void Run::readNextQuestion() {
    RunState& s = state_;
    trapped([&] {
        if (s.responsePending) setAnswerText(s.answerPrompt);
        s.responsePending = false;
        std::string line;
        while (line.empty()) {
            line = script_.read(++s.lineIndex);
            if (!line.empty()) {
                s.currentLine = line;
                s.cumulativeText.insert(0, s.lineSeparator + line);
            }
        }
        if (!isRoutineLine(line)) s.responsePending = true;
        s.questionText = line;
        if (line.substr(0, 3) == s.nextAssignmentNumber) endProgram();
        if (line.starts_with("####.#")) endProgram();
    });
}

void Run::nextQuestion() {
    RunState& s = state_;
    trapped([&] {
        readNextQuestion();
        if (s.questionText.size() > 8 && isRoutineLine(s.questionText)) {
            runRoutine(routineName(s.questionText));
            s.questionText.clear();
            readNextQuestion();  // whatever this fetches is shown as text
        }
        // Appended at the end rather than by replacing the box's text, which grows all run.
        platform_.boxes.appendToQuestion(s.questionText);
        s.questionText.clear();
    });
}

void Run::nextPicture() {
    trapped([&] {
        for (const long step : {1L, 2L}) {
            const std::string line = script_.read(state_.lineIndex + step);
            if (isRoutineLine(line)) {
                runRoutine(routineName(line));
                state_.lineIndex += step;
            }
        }
    });
}

void Run::runRoutine(const std::string& routine) {
    const std::string name = asciiLowerCase(routine);
    if (name == "graph1" || name == "graph2" || name == "graph3") return;
    endProgram();  // "exitprog" and every routine this program does not know
}

}  // namespace cj
