#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "drive_map.h"

namespace cj {

// What the run needs of the window and the computer. Texts crossing these interfaces are
// Windows-1252 byte strings with CR LF line ends, save an answer's UTF-8 form, which only names
// files.

struct TypedAnswer {
    std::string codePage;
    // What was typed, characters the code page lacks included.
    std::string unicode;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal prompt given only its prompt text; returns what was typed, or "" on cancel.
    virtual TypedAnswer answerTo(const std::string& prompt) = 0;
    std::string inputBox(const std::string& prompt) { return answerTo(prompt).codePage; }
    // A modal message with a single OK button.
    virtual void msgBox(const std::string& message) = 0;
};

// The question box and the answer box.
class TextBoxes {
public:
    virtual ~TextBoxes() = default;
    virtual std::string questionText() const = 0;
    virtual void setQuestionText(const std::string& text) = 0;
    // Same result as setQuestionText(questionText() + text), without touching what is there.
    virtual void appendToQuestion(const std::string& text) = 0;
    virtual std::string answerText() const = 0;
    virtual void setAnswerText(const std::string& text) = 0;
};

// Which of the two picture boxes the run draws on.
enum class PictureBoxId { Picture1, Picture2 };

// The two picture boxes, drawn on in a user scale, and the system beep that goes with them.
class PicturePanel {
public:
    virtual ~PicturePanel() = default;
    virtual void setUserScale(PictureBoxId box, float width, float height) = 0;
    // A true circle on the screen; centre and radius in the box's user scale, the radius in
    // horizontal units.
    virtual void drawCircle(PictureBoxId box, float x, float y, float radius) = 0;
    virtual void beep() = 0;
};

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    double secondsSinceMidnight = 0.0;  // with the fraction
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
    // When the file was last written, by this clock; throws RunError when that cannot be told.
    virtual LocalTime lastWritten(const std::filesystem::path& file) = 0;
};

// The run's one random sequence: seeded once, then uniform single-precision draws in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(float seedValue) = 0;
    virtual float next() = 0;
};

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
