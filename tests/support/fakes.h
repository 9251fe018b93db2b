#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <exception>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "clock_text.h"
#include "code_page.h"
#include "file_names.h"
#include "platform.h"

namespace cj::test {

// Answers prompts from a script and records every prompt and message shown.
class ScriptedDialogs : public Dialogs {
public:
    std::deque<std::string> answers;
    // What was typed behind an answer that the code page could not hold, in UTF-8.
    std::map<std::string, std::string> typedAs;
    std::vector<std::string> prompts;
    std::vector<std::string> messages;
    // What the student does, once, while the next message is shown.
    std::function<void()> whileShown;

    TypedAnswer answerTo(const std::string& prompt) override {
        prompts.push_back(prompt);
        if (answers.empty()) return {};
        std::string answer = answers.front();
        answers.pop_front();
        return {answer, typedAs.contains(answer) ? typedAs[answer] : toUtf8(answer)};
    }
    void msgBox(const std::string& message) override {
        messages.push_back(message);
        if (whileShown) std::exchange(whileShown, nullptr)();
    }
};

class FakeBoxes : public TextBoxes {
public:
    std::string question;
    std::string answer;

    std::string questionText() const override { return question; }
    void setQuestionText(const std::string& text) override { question = text; }
    void appendToQuestion(const std::string& text) override { question += text; }
    std::string answerText() const override { return answer; }
    void setAnswerText(const std::string& text) override { answer = text; }
};

class FakePictures : public PicturePanel {
public:
    struct Scale {
        PictureBoxId box;
        float width, height;
    };
    struct Circle {
        PictureBoxId box;
        float x, y, radius;
    };
    std::vector<Scale> scales;
    std::vector<Circle> circles;
    int beeps = 0;
    void setUserScale(PictureBoxId box, float width, float height) override { scales.push_back({box, width, height}); }
    void drawCircle(PictureBoxId box, float x, float y, float radius) override { circles.push_back({box, x, y, radius}); }
    void beep() override { ++beeps; }
};

class FixedClock : public Clock {
public:
    LocalTime time{2026, 12, 7, 14, 5, 9, 14 * 3600 + 5 * 60 + 9.25};
    int reads = 0;
    // Some other moment than now, so that a file's time cannot pass for the present.
    LocalTime written{2026, 12, 6, 9, 30, 1, 9 * 3600 + 30 * 60 + 1.0};
    LocalTime now() override {
        ++reads;
        return time;
    }
    LocalTime lastWritten(const std::filesystem::path&) override { return written; }
};

// Hands out the given draws in order, then `fallback` for ever after; failNext, when set,
// is thrown by the next draw instead, once.
class ScriptedRandom : public RandomSource {
public:
    std::deque<float> draws;
    float fallback = 0.5f;
    std::vector<float> seeds;
    int drawn = 0;
    std::exception_ptr failNext;

    void seed(float seedValue) override { seeds.push_back(seedValue); }
    float next() override {
        if (failNext) std::rethrow_exception(std::exchange(failNext, nullptr));
        ++drawn;
        if (draws.empty()) return fallback;
        const float d = draws.front();
        draws.pop_front();
        return d;
    }
};

// A fresh folder that disappears with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Every drive letter x: lies at root/x.
DriveMap drivesUnder(const std::filesystem::path& root);

// A run's whole platform made of fakes, every drive in a fresh temporary folder.
struct FakePlatform {
    TempDir temp;
    ScriptedDialogs dialogs;
    FakeBoxes boxes;
    FakePictures pictures;
    FixedClock clock;
    ScriptedRandom random;
    DriveMap drives = drivesUnder(temp.path());

    Platform platform() { return {dialogs, boxes, pictures, clock, random, drives}; }
};

// The names, without their folder, that the program gives a student's files on a day: Student
// One's on the fixed clock's day unless told.
StudentFileNames fileNamesOf(const std::string& typedName = "Student One",
                             const std::string& day = dateText(FixedClock().time));

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

// The number of the RunError that action throws; 0 when it throws none.
int errorOf(const std::function<void()>& action);

std::chrono::milliseconds timeOf(const std::function<void()>& action);

}  // namespace cj::test
