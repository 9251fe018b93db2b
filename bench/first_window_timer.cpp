// Starts a program and prints the seconds until the X server maps its first top-level window
// of a given title: the moment a person could first see it.
// Usage: first_window_timer TITLE TIMEOUT-SECONDS PROGRAM [ARGUMENT...]
// The program is killed once the window shows; exit status 1 when it never does in time.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// Qt puts a window's title in WM_NAME too; taking any property type spares looking up atoms.
std::string nameOf(xcb_connection_t* connection, xcb_window_t window) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        nullptr);
    std::string value;
    if (reply) {
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    }
    std::free(reply);
    return value;
}

pid_t start(char* argv[]) {
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return child;
}

void stop(pid_t child) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE TIMEOUT-SECONDS PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const auto timeout = std::chrono::duration<double>(std::atof(argv[2]));

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // Several clients may watch the root's children at once; only redirecting them is exclusive.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the watch is in place before the program starts.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const Clock::time_point started = Clock::now();
    const pid_t child = start(argv + 3);
    pollfd events{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() - started < timeout) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::free(event);
            if (!mapped) continue;
            const std::chrono::duration<double> seen = Clock::now() - started;
            if (nameOf(connection, window) == title) {
                stop(child);
                std::printf("%.4f\n", seen.count());
                return 0;
            }
        }
        if (xcb_connection_has_error(connection)) break;
        poll(&events, 1, 10);
    }
    stop(child);
    std::fprintf(stderr, "no window titled \"%s\" was shown\n", title.c_str());
    return 1;
}
