#include "tools/mcishell/shell_line.h"

#include <array>
#include <charconv>
#include <chrono>
#include <optional>
#include <thread>

#include "platform/multimedia.h"
#include "platform/vb_types.h"

namespace mcishell {

namespace {

std::optional<long> sleepMilliseconds(const std::string& line) {
    constexpr std::string_view kSleep = "sleep ";
    if (!line.starts_with(kSleep)) return std::nullopt;
    long milliseconds = 0;
    const char* first = line.data() + kSleep.size();
    const char* last = line.data() + line.size();
    const auto [end, fault] = std::from_chars(first, last, milliseconds);
    if (fault != std::errc{} || end != last || milliseconds < 0) return std::nullopt;
    return milliseconds;
}

std::string send(const std::string& command) {
    std::array<char, MAX_PATH> reply{};
    const std::uint32_t code = mciSendStringA(command.c_str(), reply.data(), reply.size(), 0);
    if (code == 0) return "0\t" + std::string(reply.data());
    std::array<char, MAX_PATH> text{};
    mciGetErrorStringA(code, text.data(), text.size());
    return std::to_string(code) + "\t" + text.data();
}

}  // namespace

std::string RunLine(const std::string& line) {
    if (const auto milliseconds = sleepMilliseconds(line)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(*milliseconds));
        return "0\t";
    }
    return send(line);
}

}  // namespace mcishell
