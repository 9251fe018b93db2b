#pragma once

#include "window_interfaces.h"

namespace cj::ui {

// The run's prompts and messages as modal Qt dialogs titled with the program's name.
class QtDialogs : public Dialogs {
public:
    TypedAnswer answerTo(const std::string& prompt) override;
    void msgBox(const std::string& message) override;
};

}  // namespace cj::ui
