#pragma once
// Carries out a parsed command on one open device (every verb but open and close).
#include "platform/mci/command.h"
#include "platform/mci/device.h"
#include "platform/mci/outcome.h"

namespace mci {

Outcome RunOnDevice(Device& device, const Command& command);

}  // namespace mci
