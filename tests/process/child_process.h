#pragma once
// A program started for a test, with its standard input and output on pipes, so the test can
// talk to it, signal it and see how it ends.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/eventually.h"

namespace test_support {

// The command run through env(1), headless and silent, with a home of its own so the program's
// settings never touch the user's; "NAME=value" items before the program set more variables.
std::vector<std::string> Headless(const std::filesystem::path& home,
                                  std::vector<std::string> command);

class ChildProcess {
  public:
    explicit ChildProcess(std::vector<std::string> arguments);
    ~ChildProcess();  // kills the program if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    void WriteLine(const std::string& line);
    // The next line of its standard output, or nothing by the deadline.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // True once the program catches every one of these signals (it has installed handlers).
    bool CatchesSignals(const std::vector<int>& signals) const;
    // Its exit status when it exited normally by the deadline; nothing otherwise.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);

  private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    std::string pending_;
    std::optional<int> waitStatus_;  // once reaped
};

}  // namespace test_support
