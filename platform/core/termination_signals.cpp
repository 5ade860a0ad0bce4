#include "platform/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <thread>

namespace platform {

namespace {

constexpr std::array kSignals = {SIGTERM, SIGINT, SIGHUP};

// The handler may only do async-signal-safe work: it writes the signal number into a pipe
// that the watcher thread reads.
int writeEnd = -1;

extern "C" void ForwardSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const auto written = write(writeEnd, &byte, 1);
    errno = savedErrno;
}

void SetHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kSignals) sigaction(signalNumber, &action, nullptr);
}

}  // namespace

struct TerminationSignals::Watcher {
    std::array<int, 2> pipeEnds{-1, -1};
    std::thread thread;
};

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal)
    : watcher_(std::make_unique<Watcher>()) {
    if (writeEnd != -1) throw std::logic_error("only one TerminationSignals at a time");
    if (pipe2(watcher_->pipeEnds.data(), O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe for termination signals");
    writeEnd = watcher_->pipeEnds[1];
    // A zero byte is the destructor's wake-up; any other byte is a signal.
    watcher_->thread =
        std::thread([readEnd = watcher_->pipeEnds[0], onSignal = std::move(onSignal)] {
            unsigned char byte = 0;
            while (true) {
                const auto got = read(readEnd, &byte, 1);
                if (got < 0 && errno == EINTR) continue;
                if (got <= 0 || byte == 0) return;
                onSignal(byte);
            }
        });
    SetHandler(ForwardSignal);
    // A file size limit is then a failed write the program reports, not its death.
    std::signal(SIGXFSZ, SIG_IGN);
}

TerminationSignals::~TerminationSignals() {
    SetHandler(SIG_DFL);
    const unsigned char wake = 0;
    [[maybe_unused]] const auto written = write(watcher_->pipeEnds[1], &wake, 1);
    watcher_->thread.join();
    writeEnd = -1;
    for (int end : watcher_->pipeEnds) close(end);
}

}  // namespace platform
