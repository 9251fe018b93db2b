#pragma once

#include <array>
#include <string_view>

namespace cj::form {

// Which control's click runs which handler. Every window names its handlers alike, after the
// control and the event, and befriends its own ClickWiring to reach them.
template <typename Window>
struct ClickWiring {
    struct Click {
        std::string_view control;
        void (Window::*handler)();
    };

    static constexpr std::array<Click, 10> clicks{{
        {"cmdNextQuestion", &Window::cmdNextQuestion_Click},
        {"cmd_next_picture", &Window::cmd_next_picture_Click},
        {"cmd_enter_response", &Window::cmd_enter_response_Click},
        {"cmd_save_as_notes", &Window::cmd_save_as_notes_Click},
        {"cmd_display_note_file", &Window::cmd_display_note_file_Click},
        {"cmd_displayCumulativeText", &Window::cmd_displayCumulativeText_Click},
        {"cmd_clear_answer_box", &Window::cmd_clear_answer_box_Click},
        {"cmd_copy_picture", &Window::cmd_copy_picture_Click},
        {"cmd_pend_exp", &Window::cmd_pend_exp_Click},
        {"cmd_quit", &Window::cmd_quit_Click},
    }};
};

}  // namespace cj::form
