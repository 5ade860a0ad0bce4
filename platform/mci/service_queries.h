#pragma once
// The commands that ask about devices rather than drive them: "capability", "info" and
// "sysinfo".
#include "platform/mci/command.h"
#include "platform/mci/device_table.h"
#include "platform/mci/device_types.h"
#include "platform/mci/outcome.h"

namespace mci {

Outcome Capability(const DeviceType& type, const Command& command);
Outcome Info(const OpenDevice& device, const Command& command);
// `command.device` is "all", a type word or the name of an open device.
Outcome Sysinfo(const DeviceTable& devices, const Command& command);

}  // namespace mci
