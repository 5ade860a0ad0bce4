#pragma once
// Which mounted file systems become drive letters.
#include <istream>
#include <vector>

#include "platform/drives.h"

namespace drives {

// Reads a mounts table in the format of /proc/self/mounts: "/" becomes C:, volumes on block
// devices and network shares outside the system's own folders become D: onwards, in the
// order of their mount points.
std::vector<Drive> DrivesFromMounts(std::istream& mounts);

}  // namespace drives
