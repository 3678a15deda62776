#include "app/SessionSignals.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> Signals{SIGTERM, SIGHUP, SIGINT};

// A pipe from the signal handler to the event loop: the handler may only write a byte.
int pipeEnds[2] = {-1, -1};

extern "C" void onSignal(int signal)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

SessionSignals::SessionSignals(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal))
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        std::perror("quorvel-challenge: pipe2");
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        if (::read(pipeEnds[0], &byte, 1) == 1)
            onSignal_(byte);
    });
    struct sigaction action = {};
    action.sa_handler = ::onSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: a second signal while the game cannot take the first (a wait without
    // events) takes the default action.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : Signals) {
        // A signal ignored from the start stays ignored: nohup's SIGHUP, a background job's SIGINT.
        struct sigaction inherited = {};
        if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

SessionSignals::~SessionSignals()
{
    for (int signal : Signals)
        if (std::signal(signal, SIG_DFL) == SIG_IGN)
            std::signal(signal, SIG_IGN);
    delete notifier_;
    for (int& end : pipeEnds)
        end = (::close(end), -1);
}

void SessionSignals::endBy(int signal)
{
    std::fflush(nullptr);
    std::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(signal);
    std::_Exit(128 + signal);  // not reached: the default action of these signals ends the process
}
