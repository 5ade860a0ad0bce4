#pragma once
// SIGTERM, SIGINT and SIGHUP as a request to end the program the way its own exit command
// does, rather than the default of dying on the spot with devices open and settings unsaved.
#include <functional>
#include <memory>

namespace platform {

// While an instance lives, the three signals call `onSignal` with the signal number on a
// watcher thread of its own (never inside the signal handler). One instance at a time.
// SIGXFSZ is ignored from then on, so writing past a file size limit fails instead of killing.
class TerminationSignals {
  public:
    explicit TerminationSignals(std::function<void(int signalNumber)> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    struct Watcher;
    std::unique_ptr<Watcher> watcher_;
};

}  // namespace platform
