#pragma once
// A program started for a test, its standard input and output on pipes, to talk to, signal and
// reap.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/eventually.h"

extern char** environ;

namespace test_support {

// The command run through env(1), headless and silent, with a home of its own so the program's
// settings never touch the user's; "NAME=value" items before the program set more variables.
inline std::vector<std::string> Headless(const std::filesystem::path& home,
                                         std::vector<std::string> command) {
    std::vector<std::string> arguments = {"/usr/bin/env",
                                          "QT_QPA_PLATFORM=offscreen",
                                          "SDL_AUDIODRIVER=dummy",
                                          "HOME=" + home.string(),
                                          "XDG_CONFIG_HOME=" + (home / ".config").string(),
                                          "XDG_RUNTIME_DIR=" + home.string()};
    arguments.insert(arguments.end(), command.begin(), command.end());
    return arguments;
}

class ChildProcess {
  public:
    explicit ChildProcess(std::vector<std::string> arguments) {
        int input[2];
        int output[2];
        if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
            throw std::runtime_error("no pipes for the child");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        std::vector<char*> argv;
        for (auto& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(input[0]);
        close(output[1]);
        toChild_ = input[1];
        fromChild_ = output[0];
        if (failed != 0) throw std::runtime_error("could not start " + arguments[0]);
    }
    ~ChildProcess() {  // kills the program if it still runs
        if (!reaped_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(toChild_);
        close(fromChild_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }

    void WriteLine(const std::string& line) {
        const std::string text = line + "\n";
        if (write(toChild_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            throw std::runtime_error("the child does not read");
    }

    // The next line of its standard output, or nothing when none comes in time.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout) {
        pollfd ready{fromChild_, POLLIN, 0};
        for (char c; poll(&ready, 1, static_cast<int>(timeout.count())) > 0 &&
                     read(fromChild_, &c, 1) == 1;) {
            if (c == '\n') return std::exchange(pending_, {});
            pending_ += c;
        }
        return std::nullopt;
    }

    // True once the program has handlers for all these signals (bit N-1 of SigCgt in its status).
    bool CatchesSignals(const std::vector<int>& signals) const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        unsigned long long caught = 0;
        for (std::string line; std::getline(status, line);)
            if (line.starts_with("SigCgt:")) caught = std::stoull(line.substr(7), nullptr, 16);
        return std::ranges::all_of(signals, [&](int n) { return (caught >> (n - 1)) & 1; });
    }

    // Its exit status when it exited normally by the deadline; nothing otherwise. Once only.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout) {
        int status = 0;
        reaped_ = Eventually([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeout);
        if (!reaped_ || !WIFEXITED(status)) return std::nullopt;
        return WEXITSTATUS(status);
    }

  private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    std::string pending_;  // a line not yet ended
    bool reaped_ = false;
};

}  // namespace test_support
