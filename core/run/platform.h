#pragma once

#include <chrono>
#include <functional>

#include "computer.h"
#include "drive_map.h"
#include "window_interfaces.h"

namespace cj {

// Where the run's file work is done: work on the share may block for as long as the share
// stalls, so a window has it done off its own thread and stays alive meanwhile. Work is done one
// piece at a time, in the order given.
class FileWork {
public:
    virtual ~FileWork() = default;
    // Returns once work is done; what it threw is thrown here.
    virtual void run(const std::function<void()>& work) = 0;
    // Returns at once; work must throw nothing.
    virtual void post(std::function<void()> work) = 0;
    // Waits at most limit for all work given so far; false when some is still not done.
    virtual bool finish(std::chrono::milliseconds limit) = 0;
};

// For a run without a window: the work is done on the spot.
class WorkOnTheSpot final : public FileWork {
public:
    void run(const std::function<void()>& work) override { work(); }
    void post(std::function<void()> work) override { work(); }
    bool finish(std::chrono::milliseconds) override { return true; }
};

inline WorkOnTheSpot workOnTheSpot;

// What the run needs of the window and the computer.
struct Platform {
    Dialogs& dialogs;
    TextBoxes& boxes;
    PicturePanel& pictures;
    Clock& clock;
    RandomSource& random;
    const DriveMap& drives;
    FileWork& fileWork = workOnTheSpot;
};

}  // namespace cj
