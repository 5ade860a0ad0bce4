#pragma once
// The MCI string interpreter that serves mciSendStringA unless a test installs another service.
#include "platform/multimedia.h"

namespace mci {

// Created on first use, lives until the process ends.
MciStringService& RealService();

}  // namespace mci
