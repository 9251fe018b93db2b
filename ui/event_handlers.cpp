// What each control's event does; the wiring has already put the guard around every one.

#include <QTimer>

#include "cmd_pend_exp.h"
#include "picture_box.h"

namespace cj::ui {

void cmd_pend_exp::cmdNextQuestion_Click() { run().nextQuestion(); }

void cmd_pend_exp::cmd_next_picture_Click() { run().nextPicture(); }

void cmd_pend_exp::cmd_enter_response_Click() { run().enterResponse(); }

void cmd_pend_exp::cmd_save_as_notes_Click() { run().saveAsNotes(); }

void cmd_pend_exp::cmd_display_note_file_Click() { run().displayNotes(); }

void cmd_pend_exp::cmd_displayCumulativeText_Click() { run().displayEverything(); }

void cmd_pend_exp::cmd_clear_answer_box_Click() { run().clearAnswerBox(); }

void cmd_pend_exp::cmd_copy_picture_Click() { copyPictureThroughClipboard(*Picture1, *Picture2); }

// A second click leaves the running timer as it is, rather than restarting its interval.
void cmd_pend_exp::cmd_pend_exp_Click() {
    if (!tmr_pend_exp->isActive()) tmr_pend_exp->start();
}

void cmd_pend_exp::cmd_quit_Click() { form_.endProgram(); }

void cmd_pend_exp::tmr_pend_exp_Timer() { run().timerTick(); }

void cmd_pend_exp::txt_answer_Change() { form_.answerChanged(); }

void cmd_pend_exp::tmr_draft_Timer() { form_.draftPauseOver(); }

}  // namespace cj::ui
