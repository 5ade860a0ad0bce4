#include "tests/support/mci_recorder.h"

#include <algorithm>
#include <cstring>

namespace test_support {

MciRecorder::MciRecorder() : previous_(SetMciStringService(this)) {}

MciRecorder::~MciRecorder() {
    SetMciStringService(previous_);
}

void MciRecorder::Answer(const std::string& commandPrefix, std::uint32_t returnCode,
                         const std::string& reply) {
    rules_.push_back({commandPrefix, returnCode, reply});
}

void MciRecorder::NoTextFor(std::uint32_t errorNumber) {
    withoutText_.push_back(errorNumber);
}

std::vector<std::string> MciRecorder::Commands() const {
    std::vector<std::string> commands;
    for (const auto& call : calls) commands.push_back(call.command);
    return commands;
}

std::string MciRecorder::ErrorTextFor(std::uint32_t errorNumber) {
    return "recorded error " + std::to_string(errorNumber);
}

std::uint32_t MciRecorder::SendString(const char* command, char* returnString,
                                      std::uint32_t returnLength, std::int32_t hwndCallback) {
    calls.push_back({command, returnLength, hwndCallback});
    const std::string text = command;
    auto rule = std::find_if(rules_.rbegin(), rules_.rend(),
                             [&](const Rule& r) { return text.starts_with(r.prefix); });
    if (rule == rules_.rend()) return 0;
    if (returnString && returnLength > 0) {
        const auto size = std::min<std::size_t>(rule->reply.size(), returnLength - 1);
        std::memcpy(returnString, rule->reply.data(), size);
        returnString[size] = '\0';
    }
    return rule->returnCode;
}

std::int32_t MciRecorder::GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) {
    if (std::find(withoutText_.begin(), withoutText_.end(), error) != withoutText_.end()) return 0;
    const std::string text = ErrorTextFor(error);
    if (length == 0) return 0;
    const auto size = std::min<std::size_t>(text.size(), length - 1);
    std::memcpy(buffer, text.data(), size);
    buffer[size] = '\0';
    return 1;
}

}  // namespace test_support
