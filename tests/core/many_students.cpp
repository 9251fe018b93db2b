#include "many_students.h"

#include "fakes.h"
#include "run.h"

namespace cj::test {

namespace {

std::string responseText(int student, int n) {
    // Lengths vary up to a few kilobytes, longer than any single buffer a writer might split at.
    return "student " + std::to_string(student) + " response " + std::to_string(n) + " " +
           std::string(static_cast<std::size_t>(50 + (n % 7) * 700), static_cast<char>('a' + student));
}

}  // namespace

int studentProcess(const std::filesystem::path& root, int student) {
    FakePlatform fakes;
    fakes.drives = drivesUnder(root);
    cj::Run run(fakes.platform());
    fakes.dialogs.answers = {"1", "Student " + std::to_string(student), "S", "1"};
    run.startRun();
    run.openAssignment();
    for (int n = 0; n < kResponsesEach; ++n) {
        fakes.boxes.answer = responseText(student, n);
        run.enterResponse();
    }
    return fakes.dialogs.messages.empty() ? 0 : 1;
}

std::set<std::string> allResponses() {
    std::set<std::string> expected;
    for (int student = 0; student < kStudents; ++student) {
        for (int n = 0; n < kResponsesEach; ++n) expected.insert(responseText(student, n));
    }
    return expected;
}

}  // namespace cj::test
