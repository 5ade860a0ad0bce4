#pragma once
// Which mounted file systems become drive letters.
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

#include "platform/drives.h"

namespace drives {

// One line of a mounts table, its octal escapes undone.
struct MountEntry {
    std::string source;
    std::filesystem::path mountPoint;
    std::string type;
};
std::vector<MountEntry> ReadMountEntries(std::istream& mounts);

// nfs, cifs, sshfs and the other file systems that live on another machine.
bool IsNetworkFileSystem(const std::string& type);

// Reads a mounts table in the format of /proc/self/mounts: "/" becomes C:, volumes on block
// devices and network shares outside the system's own folders become D: onwards, in the
// order of their mount points.
std::vector<Drive> DrivesFromMounts(std::istream& mounts);

}  // namespace drives
