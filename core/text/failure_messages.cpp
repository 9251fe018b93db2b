#include "failure_messages.h"

#include "run_error.h"

namespace cj {

namespace {

constexpr ShownText kShownTexts[] = {
    kHomeOrNetworkPrompt, kNamePrompt, kInitialsPrompt, kAssignmentPrompt, kAssignmentMissing, kFailure,
    kNameInUse,           kNameFull,   kDraftBack,      kOutboxFault,      kLateLines,
    kDayFileFault,        kDraftNotKept,
};

}  // namespace

std::span<const ShownText> shownTexts() { return kShownTexts; }

std::string filledIn(const ShownText& shown, std::initializer_list<std::string_view> values) {
    std::string text;
    std::string_view rest = shown.text;
    for (std::string_view value : values) {
        const std::size_t slot = rest.find("{}");
        if (slot == std::string_view::npos) break;
        text.append(rest.substr(0, slot)).append(value);
        rest.remove_prefix(slot + 2);
    }
    return text.append(rest);
}

std::string failureMessage(int errorNumber) {
    if (errorNumber == kSubscriptOutOfRange) return std::string(kAssignmentMissing.text);
    return filledIn(kFailure, {std::to_string(errorNumber)});
}

}  // namespace cj
