// What each control's event does; the wiring has already put the guard around every one.

#include "cmd_pend_exp.h"

namespace cj::ui {

void cmd_pend_exp::cmdNextQuestion_Click() {}

void cmd_pend_exp::cmd_next_picture_Click() {}

void cmd_pend_exp::cmd_enter_response_Click() {}

void cmd_pend_exp::cmd_save_as_notes_Click() {}

void cmd_pend_exp::cmd_display_note_file_Click() {}

void cmd_pend_exp::cmd_displayCumulativeText_Click() {}

void cmd_pend_exp::cmd_clear_answer_box_Click() {}

void cmd_pend_exp::cmd_copy_picture_Click() {}

void cmd_pend_exp::cmd_pend_exp_Click() {}

void cmd_pend_exp::cmd_quit_Click() {}

void cmd_pend_exp::tmr_pend_exp_Timer() {}

}  // namespace cj::ui
