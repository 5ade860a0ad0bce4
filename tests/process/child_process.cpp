#include "tests/process/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

extern char** environ;

namespace test_support {

namespace {

// The test's own environment with `extra` put over it, as "NAME=value" texts.
std::vector<std::string> mergedEnvironment(const std::map<std::string, std::string>& extra) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        if (!extra.contains(text.substr(0, text.find('=')))) result.push_back(text);
    }
    for (const auto& [name, value] : extra) result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (auto& text : texts) result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

// The "SigCgt" mask of /proc/PID/status: bit N-1 set when signal N is caught.
unsigned long long caughtSignals(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0) return std::stoull(line.substr(7), nullptr, 16);
    return 0;
}

}  // namespace

std::map<std::string, std::string> HeadlessEnvironment(const std::filesystem::path& home) {
    return {{"QT_QPA_PLATFORM", "offscreen"},
            {"SDL_AUDIODRIVER", "dummy"},
            {"HOME", home.string()},
            {"XDG_CONFIG_HOME", (home / ".config").string()},
            {"XDG_RUNTIME_DIR", home.string()}};
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::map<std::string, std::string>& environment) {
    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipes for the child");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    auto argumentTexts = arguments;
    auto environmentTexts = mergedEnvironment(environment);
    const int failed =
        posix_spawn(&pid_, argumentTexts[0].c_str(), &actions, nullptr,
                    pointers(argumentTexts).data(), pointers(environmentTexts).data());
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    toChild_ = input[1];
    fromChild_ = output[0];
    if (failed != 0) throw std::runtime_error("could not start " + arguments[0]);
}

ChildProcess::~ChildProcess() {
    if (!waitStatus_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    close(toChild_);
    close(fromChild_);
}

void ChildProcess::WriteLine(const std::string& line) {
    const std::string text = line + "\n";
    if (write(toChild_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        throw std::runtime_error("the child does not read");
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (pending_.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{fromChild_, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        char chunk[256];
        const auto got = read(fromChild_, chunk, sizeof chunk);
        if (got <= 0) return std::nullopt;
        pending_.append(chunk, static_cast<std::size_t>(got));
    }
    const auto end = pending_.find('\n');
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    return line;
}

bool ChildProcess::CatchesSignals(const std::vector<int>& signals) const {
    const auto caught = caughtSignals(pid_);
    for (int signalNumber : signals)
        if ((caught & (1ULL << (signalNumber - 1))) == 0) return false;
    return true;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const bool ended = Eventually(
        [&] {
            int status = 0;
            if (!waitStatus_ && waitpid(pid_, &status, WNOHANG) == pid_) waitStatus_ = status;
            return waitStatus_.has_value();
        },
        timeout);
    if (!ended || !WIFEXITED(*waitStatus_)) return std::nullopt;
    return WEXITSTATUS(*waitStatus_);
}

}  // namespace test_support
