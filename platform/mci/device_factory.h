#pragma once
// Turns a parsed "open" command into a device: picks the kind from the type word or the
// file's extension, finds the file and loads it.
#include <memory>

#include "platform/mci/command.h"
#include "platform/mci/device.h"
#include "platform/mci/device_types.h"

namespace mci {

struct OpenResult {
    std::unique_ptr<Device> device;
    ErrorCode error = err::kNone;
    const DeviceType* type = nullptr;

    static OpenResult Failed(ErrorCode code) { return {nullptr, code}; }
};

OpenResult MakeDevice(const Command& open);

}  // namespace mci
