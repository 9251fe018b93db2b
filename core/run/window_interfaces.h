#pragma once

#include <string>

namespace cj {

// What the run needs of the window. Texts crossing these interfaces are Windows-1252 byte
// strings with CR LF line ends, save an answer's UTF-8 form, which only names files.

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

}  // namespace cj
