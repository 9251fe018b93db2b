#include "run.h"

#include "failure_messages.h"

namespace cj {

Run::Run(Platform platform) : platform_(platform), files_(platform.drives, platform.clock) {}

void Run::showFailure(int errorNumber) { platform_.dialogs.msgBox(failureMessage(errorNumber)); }

void Run::endProgram() { throw ProgramEnded{}; }

}  // namespace cj
