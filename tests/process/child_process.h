#pragma once
// A program started for a test, its standard input and output on pipes, to talk to, signal and
// reap.
#include <sys/types.h>

#include <QProcess>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

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
    explicit ChildProcess(const std::vector<std::string>& arguments) {
        QStringList rest;
        for (auto it = arguments.begin() + 1; it != arguments.end(); ++it)
            rest << QString::fromStdString(*it);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QString::fromStdString(arguments.front()), rest);
        if (!process_.waitForStarted()) throw std::runtime_error("could not start " + arguments[0]);
    }
    ~ChildProcess() {  // kills the program if it still runs
        process_.kill();
        process_.waitForFinished();
    }

    pid_t Pid() const { return pid_t(process_.processId()); }

    void WriteLine(const std::string& line) {
        process_.write(QByteArray::fromStdString(line + "\n"));
        process_.waitForBytesWritten();
    }

    // The next line of its standard output, or nothing when none comes in time.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!process_.canReadLine()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !process_.waitForReadyRead(int(left.count())))
                return std::nullopt;
        }
        return process_.readLine().chopped(1).toStdString();
    }

    // True once the program has handlers for all these signals (bit N-1 of SigCgt in its status).
    bool CatchesSignals(const std::vector<int>& numbers) const {
        std::ifstream status("/proc/" + std::to_string(Pid()) + "/status");
        unsigned long long caught = 0;
        for (std::string line; std::getline(status, line);)
            if (line.starts_with("SigCgt:")) caught = std::stoull(line.substr(7), nullptr, 16);
        return std::ranges::all_of(numbers, [&](int n) { return (caught >> (n - 1)) & 1; });
    }

    // Its exit status when it exited normally by the deadline; nothing otherwise.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout) {
        if (!process_.waitForFinished(int(timeout.count())) ||
            process_.exitStatus() != QProcess::NormalExit)
            return std::nullopt;
        return process_.exitCode();
    }

  private:
    QProcess process_;
};

}  // namespace test_support
