// What each control's event does; the window procedure has already put the guard around every one.

#include "cmd_pend_exp.h"
#include "control_table.h"

namespace cj::win32 {

void cmd_pend_exp::cmdNextQuestion_Click() { form_.run().nextQuestion(); }

void cmd_pend_exp::cmd_next_picture_Click() { form_.run().nextPicture(); }

void cmd_pend_exp::cmd_enter_response_Click() { form_.run().enterResponse(); }

void cmd_pend_exp::cmd_save_as_notes_Click() { form_.run().saveAsNotes(); }

void cmd_pend_exp::cmd_display_note_file_Click() { form_.run().displayNotes(); }

void cmd_pend_exp::cmd_displayCumulativeText_Click() { form_.run().displayEverything(); }

void cmd_pend_exp::cmd_clear_answer_box_Click() { form_.run().clearAnswerBox(); }

void cmd_pend_exp::cmd_copy_picture_Click() { copyPictureThroughClipboard(window_, Picture1, Picture2); }

// A second click leaves the running timer as it is, rather than restarting its interval.
void cmd_pend_exp::cmd_pend_exp_Click() {
    if (tmr_pend_exp_Enabled) return;
    tmr_pend_exp_Enabled = SetTimer(window_, kPendExpTimer, form::kTimerIntervalMilliseconds, nullptr) != 0;
}

void cmd_pend_exp::cmd_quit_Click() { form_.endProgram(); }

void cmd_pend_exp::tmr_pend_exp_Timer() { form_.run().timerTick(); }

void cmd_pend_exp::txt_answer_Change() { form_.answerChanged(); }

void cmd_pend_exp::tmr_draft_Timer() { form_.draftPauseOver(); }

}  // namespace cj::win32
