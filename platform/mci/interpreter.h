#pragma once
// The MCI string interpreter: parses each command, keeps the open devices by name and
// carries the command out.
//
// Thread model: any thread may send commands. The table's lock is held only to look a name
// up; each device's own lock serialises commands on it and is released before a "wait" blocks.
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/mci/command.h"
#include "platform/mci/device_table.h"
#include "platform/mci/outcome.h"
#include "platform/multimedia.h"

namespace mci {

class Interpreter final : public MciStringService {
  public:
    std::uint32_t SendString(const char* command, char* returnString, std::uint32_t returnLength,
                             std::int32_t hwndCallback) override;
    std::int32_t GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) override;

    Outcome Execute(std::string_view text, std::int32_t window);

  private:
    Outcome executeGuarded(const char* command, std::int32_t hwndCallback);
    Outcome open(const Command& command, std::int32_t window);
    Outcome autoOpened(const Command& command, std::int32_t window);
    Outcome close(const std::string& name, const Command& command, std::int32_t window);
    Outcome closeAll(const Command& command, std::int32_t window);
    Outcome stopAll(const Command& command, std::int32_t window);
    Outcome onDevice(OpenDevice& target, const Command& command, std::int32_t window);

    void keepDetail(const Outcome& outcome);

    DeviceTable devices_;
    // The latest error text of each number that named what it met, for mciGetErrorStringA
    // after the command; an error of the same number without one clears it.
    std::mutex detailsLock_;
    std::map<ErrorCode, std::string> details_;
    std::atomic<std::int32_t> lastId_{0};
};

}  // namespace mci
