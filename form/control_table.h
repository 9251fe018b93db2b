#pragma once

#include <span>
#include <string_view>

namespace cj {
class Run;
}

namespace cj::form {

class Form;

// The main window as every toolkit builds it: its controls, their places in twips (1/1440
// inch), what its buttons do, its fonts, titles and timers. Nothing here knows a toolkit.

enum class Kind { MultiLineTextBox, TextBox, Button, Label, Picture, ListBox };

// A press asks either the run for one of its commands, or the form for an action of the window
// itself (one that needs the toolkit's window or ends the program). Both are named in the table,
// so that a button of either kind is one row.
using RunCommand = void (Run::*)();
using WindowAction = void (Form::*)();

// What pressing a button does. Named after the control and its event, as the window's handlers
// always were; a button without one does nothing.
struct Command {
    constexpr Command() = default;
    constexpr Command(std::string_view name, RunCommand ofRun, bool records = false)
        : name(name), ofRun(ofRun), records(records) {}
    constexpr Command(std::string_view name, WindowAction ofWindow) : name(name), ofWindow(ofWindow) {}
    explicit operator bool() const { return !name.empty(); }

    std::string_view name;
    // Exactly one of the two is set.
    RunCommand ofRun = nullptr;
    WindowAction ofWindow = nullptr;
    // Records the answer box, and then empties it.
    bool records = false;
};

struct TwipRect {
    int left, top, width, height;
};

struct Control {
    std::string_view name;
    Kind kind;
    // A button's or label's caption, or a text box's first text.
    std::string_view text;
    // What a screen reader calls a control whose text does not name it; empty: its text.
    std::string_view describedAs;
    TwipRect place;
    Command command{};

    std::string_view accessibleName() const { return describedAs.empty() ? text : describedAs; }
    // Labels never take the keyboard focus; every other control is visited by Tab.
    bool takesFocus() const { return kind != Kind::Label; }
};

// In tab order.
std::span<const Control> controls();
// The control of that name; nullptr for none.
const Control* findControl(std::string_view name);

inline constexpr std::string_view kTitle = "Form1";
// The title of every prompt and message: an application name would be appended to "Form1".
inline constexpr std::string_view kDialogTitle = "Class Journal";
inline constexpr int kClientWidthTwips = 10875;
inline constexpr int kClientHeightTwips = 8595;

struct Font {
    std::string_view family;
    double points;
};
// The question and answer boxes.
inline constexpr Font kLargeBoxFont{"Arial", 9.75};
// Every other control: the captions were sized for a small sans serif, and a desktop's
// default font clips several.
inline constexpr Font kCaptionFont{"Arial", 7.5};

inline constexpr int kTimerIntervalMilliseconds = 15;
// Long enough that a draft is never written while the student types, short enough to lose little.
inline constexpr int kDraftPauseMilliseconds = 2000;

// At 96 dots per inch 15 twips make one pixel.
int pixelsOf(int twips, int dotsPerInch);

}  // namespace cj::form
