#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <thread>

#include "live_system.h"

extern char** environ;

namespace cj::report {

namespace {

sigset_t endingSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    return signals;
}

}  // namespace

// Blocked in every thread, the signals wait for wait() to take them.
Interruption::Interruption() {
    const sigset_t signals = endingSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

void Interruption::wait() {
    const sigset_t signals = endingSignals();
    int signal = 0;
    while (sigwait(&signals, &signal) != 0) {
    }
}

bool openInBrowser(const std::string& address) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    // The first line of standard output is the address alone; the browser's chatter goes nowhere,
    // and the browser is not born with the signals this program holds back.
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    std::string program = "xdg-open", argument = address;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const bool started = posix_spawnp(&child, "xdg-open", &actions, &attributes, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (started) std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return started;
}

}  // namespace cj::report
