#pragma once
// Stands in for the MCI string service: records every command the program sends and
// answers with the return codes and replies a test asks for.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/multimedia.h"

namespace test_support {

struct MciCall {
    std::string command;
    std::uint32_t returnLength;
    std::int32_t callbackWindow;
};

class MciRecorder : public MciStringService {
  public:
    MciRecorder();            // installs itself
    ~MciRecorder() override;  // puts back what was installed before

    // Commands that start with the prefix (compared exactly) return this code and reply.
    // The latest rule that matches wins.
    void Answer(const std::string& commandPrefix, std::uint32_t returnCode,
                const std::string& reply = "");
    // mciGetErrorStringA has no text for this number.
    void NoTextFor(std::uint32_t errorNumber);

    std::vector<std::string> Commands() const;
    void Clear() { calls.clear(); }
    std::vector<MciCall> calls;

    static std::string ErrorTextFor(std::uint32_t errorNumber);

    std::uint32_t SendString(const char* command, char* returnString, std::uint32_t returnLength,
                             std::int32_t hwndCallback) override;
    std::int32_t GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) override;

  private:
    struct Rule {
        std::string prefix;
        std::uint32_t returnCode;
        std::string reply;
    };
    std::vector<Rule> rules_;
    std::vector<std::uint32_t> withoutText_;
    MciStringService* previous_;
};

}  // namespace test_support
