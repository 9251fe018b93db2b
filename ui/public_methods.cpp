// The window's public operations, offered to other programs besides the window's own commands.

#include "cmd_pend_exp.h"
#include "line_coding.h"

namespace cj::ui {

void cmd_pend_exp::readNextQuestion() {
    form_.guarded([this] { run().readNextQuestion(); });
}

std::string cmd_pend_exp::code(const std::string& aLine, float codeNbr) const { return cj::code(aLine, codeNbr); }

void cmd_pend_exp::codeFile() {
    form_.guarded([this] { run().codeFile(); });
}

std::string cmd_pend_exp::decode(const std::string& aLine, float codeNbr) const { return cj::decode(aLine, codeNbr); }

std::string cmd_pend_exp::remSpaces(const std::string& aLine) const { return cj::remSpaces(aLine); }

std::string cmd_pend_exp::makeCodeLine(float codeNbr) {
    return cj::makeCodeLine(codeNbr, [this] { return random_.next(); });
}

void cmd_pend_exp::runRoutine(const std::string& routine) {
    form_.guarded([&] { run().runRoutine(routine); });
}

}  // namespace cj::ui
