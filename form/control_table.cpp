#include "control_table.h"

#include <algorithm>
#include <cmath>

#include "form.h"
#include "run.h"

namespace cj::form {

namespace {

constexpr Control kControls[] = {
    {"txt_question", Kind::MultiLineTextBox, "", "Question", {240, 720, 5175, 5255}},
    {"txt_answer", Kind::MultiLineTextBox, "", "Answer", {5640, 720, 5055, 5255}},
    {"cmdNextQuestion", Kind::Button, "Next Question / Answer", "", {240, 0, 975, 735},
     {"cmdNextQuestion_Click", &Run::nextQuestion}},
    {"cmd_enter_response", Kind::Button, "Enter Response", "", {5640, 240, 855, 495},
     {"cmd_enter_response_Click", &Run::enterResponse, true}},
    {"Picture1", Kind::Picture, "", "Picture 1", {240, 6080, 5175, 1375}},
    {"Picture2", Kind::Picture, "", "Picture 2", {5640, 6080, 5055, 1375}},
    {"cmd_save_as_notes", Kind::Button, "Save as Notes", "", {6480, 240, 855, 495},
     {"cmd_save_as_notes_Click", &Run::saveAsNotes, true}},
    {"cmd_Make_paragraph", Kind::Button, "Make Paragraph", "", {7320, 240, 975, 495}},
    {"cmd_Make_Paragraph_question", Kind::Button, "Make Paragraph", "", {1200, 240, 855, 495}},
    {"txt_paragraph_goback", Kind::TextBox, "1", "# sentences previous", {3120, 240, 495, 495}},
    {"lbl_paragraph_goback", Kind::Label, "# sentences previous", "", {2160, 240, 1095, 495}},
    {"cmd_timerTrigger", Kind::Button, "Trigger Timer", "", {2400, 7560, 735, 495}},
    {"List1", Kind::ListBox, "", "List 1", {3120, 7680, 1695, 840}},
    {"lbl_parameter_0", Kind::Label, "Parameter 1", "", {5640, 7680, 900, 195}},
    {"txt_parameter_0", Kind::TextBox, "1", "Parameter 1", {6720, 7680, 300, 285}},
    {"lbl_parameter_1", Kind::Label, "Parameter 2", "", {5640, 8160, 855, 195}},
    {"txt_parameter_1", Kind::TextBox, "1", "Parameter 2", {6720, 8160, 300, 285}},
    {"lbl_parameter_2", Kind::Label, "Parameter 3", "", {7200, 7680, 1005, 195}},
    {"txt_parameter_2", Kind::TextBox, "1", "Parameter 3", {8205, 7680, 300, 285}},
    {"lbl_parameter_3", Kind::Label, "Parameter 4", "", {7200, 8160, 900, 195}},
    {"txt_parameter_3", Kind::TextBox, "1", "Parameter 4", {8205, 8160, 300, 285}},
    {"cmd_displayCumulativeText", Kind::Button, "display everything", "", {3600, 240, 855, 495},
     {"cmd_displayCumulativeText_Click", &Run::displayEverything}},
    {"cmd_display_note_file", Kind::Button, "display notes", "", {4440, 240, 975, 495},
     {"cmd_display_note_file_Click", &Run::displayNotes}},
    {"cmd_quit", Kind::Button, "quit program", "", {10200, 0, 735, 495},
     {"cmd_quit_Click", &Form::endProgram}},
    {"cmd_pend_exp", Kind::Button, "pend exp", "", {8640, 7560, 495, 375},
     {"cmd_pend_exp_Click", &Form::startPictureTimer}},
    {"cmd_next_picture", Kind::Button, "next picture", "", {1200, 7560, 855, 495},
     {"cmd_next_picture_Click", &Run::nextPicture}},
    {"lbl_only_if_prompted", Kind::Label, "click only if prompted", "", {240, 7560, 855, 495}},
    {"cmd_copy_picture", Kind::Button, "copy picture", "", {1200, 8160, 855, 495},
     {"cmd_copy_picture_Click", &Form::copyPicture}},
    {"cmd_clear_answer_box", Kind::Button, "clear box", "", {8280, 240, 855, 495},
     {"cmd_clear_answer_box_Click", &Run::clearAnswerBox}},
};

}  // namespace

std::span<const Control> controls() { return kControls; }

const Control* findControl(std::string_view name) {
    const auto found = std::ranges::find(kControls, name, &Control::name);
    return found == std::end(kControls) ? nullptr : &*found;
}

int pixelsOf(int twips, int dotsPerInch) { return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0)); }

}  // namespace cj::form
