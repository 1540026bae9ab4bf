#include "platform/TerminationSignals.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace qzc {

namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
// The pair is process-wide by nature: there is one set of signal handlers per process.
int signalSockets[2] = {-1, -1};

void forwardSignal(int signalNumber) {
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &number, 1);
}

constexpr int handledSignals[] = {SIGTERM, SIGHUP, SIGINT};

} // namespace

TerminationSignals::TerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(signalSockets[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : handledSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (notifier_ == nullptr)
        return;
    for (int signalNumber : handledSignals)
        ::signal(signalNumber, SIG_DFL);
    notifier_.reset();
    ::close(signalSockets[0]);
    ::close(signalSockets[1]);
    signalSockets[0] = signalSockets[1] = -1;
}

void TerminationSignals::readSignal() {
    unsigned char number = 0;
    if (::read(signalSockets[1], &number, 1) == 1)
        Q_EMIT terminationRequested(number);
}

} // namespace qzc
