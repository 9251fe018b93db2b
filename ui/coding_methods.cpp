// The window's public coding operations, offered to other programs; no command calls them.

#include "cmd_pend_exp.h"
#include "line_coding.h"

namespace cj::ui {

std::string cmd_pend_exp::code(const std::string& aLine, float codeNbr) const { return cj::code(aLine, codeNbr); }

std::string cmd_pend_exp::makeCodeLine(float codeNbr) {
    return cj::makeCodeLine(codeNbr, [this] { return random_.next(); });
}

std::string cmd_pend_exp::decode(const std::string& aLine, float codeNbr) const { return cj::decode(aLine, codeNbr); }

std::string cmd_pend_exp::remSpaces(const std::string& aLine) const { return cj::remSpaces(aLine); }

}  // namespace cj::ui
