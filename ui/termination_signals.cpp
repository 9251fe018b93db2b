#include "termination_signals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace cj::ui {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

int writeEnd = -1;

void onSignal(int) {
    const int savedErrno = errno;
    // Non-blocking: with a byte already waiting, one more changes nothing.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, "x", 1);
    errno = savedErrno;
}

void handleWith(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    int ends[2];
    // Without the pair the signals keep ending the program at once, the draft as of the last pause.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0) return;
    readEnd_ = ends[0];
    writeEnd = ends[1];
    notifier_ = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(readEnd_, bytes, sizeof bytes) > 0) {
        }
        emit arrived();
    });
    handleWith(onSignal);
}

TerminationSignals::~TerminationSignals() {
    if (readEnd_ < 0) return;
    handleWith(SIG_DFL);
    ::close(writeEnd);
    ::close(readEnd_);
    writeEnd = -1;
}

}  // namespace cj::ui
