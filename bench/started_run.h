#pragma once

#include <filesystem>
#include <string>

#include "fakes.h"
#include "run.h"

namespace cj::bench {

inline const std::string kResponse = "The current doubles when the resistance is halved, by Ohm's law.";

// A started run whose files lie in a temporary folder.
struct StartedRun : test::FakePlatform {
    Run run{platform()};

    StartedRun() {
        dialogs.answers = {"1", "Student One", "STO", "1"};
        run.startRun();
        run.openAssignment();
        // The fake's own map makes each drive's folder at every look-up, which the program's does not.
        drives = DriveMap([root = temp.path()](char letter) { return root / std::string(1, letter); });
    }
    // Records kResponse; false when the student was told of a failure.
    bool respond() {
        boxes.answer = kResponse;
        run.enterResponse();
        return dialogs.messages.empty();
    }
};

// The two files a response goes to and the bytes it leaves in each, as a bare append writes them.
struct BareResponse {
    std::filesystem::path sendFile, classFile;
    std::string record, line;

    // Taken from the files after one response.
    explicit BareResponse(StartedRun& started) {
        started.respond();
        sendFile = started.temp.path() / "c" / "qorsdata" / test::fileNamesOf().send;
        classFile = started.temp.path() / "i" / "responses.txt";
        const std::string sent = test::readBytes(sendFile);
        record = sent.substr(sent.rfind("......!!!!!!!!", sent.rfind("RESPONSE")));
        line = kResponse + "\r\n";
    }
};

}  // namespace cj::bench
