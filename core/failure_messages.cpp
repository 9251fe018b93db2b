#include "failure_messages.h"

#include "run_error.h"

namespace cj {

std::string failureMessage(int errorNumber) {
    if (errorNumber == kSubscriptOutOfRange) {
        return "You have probably not entered a valid assignment number.  Make sure the assignment number is a "
               "number, like 1 or 8 or 15 or 27 etc., and make sure that this assignment is supposed to be in the "
               "current ravelin_.  This program will end and you will need to start over.  If you are sure you "
               "have entered a valid assignment number email the instructor and specify that you have received "
               "a 'subscript out of range' error";
    }
    return "You have encountered an error.  If you are encountering this error repeatedly you should report the "
           "error number to the instructor and explain exactly what you were doing, keystroke by keystroke, when "
           "the error occurred.  The error is:  " +
           std::to_string(errorNumber);
}

}  // namespace cj
