#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace cj {

// Everything the program says to the student: its prompts and every message, as each is built,
// "{}" standing for what a showing fills in. README.md, README.txt and the manual page quote
// each one; their test takes the texts from this table, so a new message belongs here.
struct ShownText {
    std::string_view name;
    std::string_view text;
};

inline constexpr ShownText kHomeOrNetworkPrompt{"home_or_network_prompt",
                                                "Enter 1 for home user, 2 for BRELL LAN user"};
inline constexpr ShownText kNamePrompt{"name_prompt", "Your full name:  "};
inline constexpr ShownText kInitialsPrompt{
    "initials_prompt",
    "Your initials (use all 3 initials and always use the same three initials when submitting work):  "};
inline constexpr ShownText kAssignmentPrompt{"assignment_prompt", "Assignment Number:  "};

inline constexpr ShownText kAssignmentMissing{
    "assignment_missing",
    "You have probably not entered a valid assignment number.  Make sure the assignment number is a number, like 1 "
    "or 8 or 15 or 27 etc., and make sure that this assignment is supposed to be in the current ravelin_.  This "
    "program will end and you will need to start over.  If you are sure you have entered a valid assignment number "
    "email the instructor and specify that you have received a 'subscript out of range' error"};
inline constexpr ShownText kFailure{
    "failure",
    "You have encountered an error.  If you are encountering this error repeatedly you should report the error "
    "number to the instructor and explain exactly what you were doing, keystroke by keystroke, when the error "
    "occurred.  The error is:  {}"};
inline constexpr ShownText kNameInUse{
    "name_in_use",
    "Class Journal is already running under this name, on this computer or another. What you type here is kept "
    "apart from what you type there."};
inline constexpr ShownText kNameFull{
    "name_full",
    "Class Journal is already running 9 times under this name, on this computer or others, and cannot run once "
    "more under it. Close one of those windows, then start again."};
inline constexpr ShownText kDraftBack{"draft_back",
                                      "The answer you had not yet entered, saved at {}, is back in the answer box."};
inline constexpr ShownText kOutboxFault{
    "outbox_fault",
    "Your outbox {} cannot be used (error {}): your answers go straight to the class's shared file, and none can "
    "wait there for it. If you are told this again, tell your instructor."};
inline constexpr ShownText kLateLines{
    "late_lines",
    "{} of the answers you gave on {} never reached the class's shared file, and will not go there on a later day. "
    "Your send file of that day holds those answers; the lines are kept in {}."};
inline constexpr ShownText kDayFileFault{
    "day_file_fault",
    "{} of the answers you gave on {} never reached the class's shared file, and could not be kept apart from "
    "today's (error {}): they stay in {}, where no line waits for the class's shared file until they can be. Your "
    "send file of that day holds those answers. If you are told this again, tell your instructor."};
// On standard error: the student is typing, and a message box would be in the way.
inline constexpr ShownText kDraftNotKept{
    "draft_not_kept",
    "classjournal: the answer box could not be kept in its draft file (error {}); trying again at the next pause"};

std::span<const ShownText> shownTexts();

// The text with each "{}" replaced by the next of values.
std::string filledIn(const ShownText& shown, std::initializer_list<std::string_view> values);

// The message the student sees for a failure with this number.
std::string failureMessage(int errorNumber);

}  // namespace cj
