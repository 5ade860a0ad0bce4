#pragma once
// Turns a parsed "open" command into a device: picks the kind from the type word or the
// file's extension, finds the file and loads it.
#include <memory>
#include <string>

#include "platform/mci/command.h"
#include "platform/mci/device.h"
#include "platform/mci/device_types.h"

namespace mci {

struct OpenResult {
    std::unique_ptr<Device> device;
    ErrorCode error = err::kNone;
    const DeviceType* type = nullptr;
    std::string detail = {};  // with an error: what was met, in place of the table's text

    static OpenResult Failed(ErrorCode code, std::string detail = {}) {
        return {nullptr, code, nullptr, std::move(detail)};
    }
};

OpenResult MakeDevice(const Command& open);

}  // namespace mci
