#pragma once
// The system's mounts, read in this one place, and which of them become drive letters.
#include <filesystem>
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
// Reads a table in the format of /proc/self/mounts; a file that cannot be read lists nothing.
std::vector<MountEntry> ReadMounts(const std::filesystem::path& mountsFile);

// Where the mounts and the kernel's block devices are read: /proc/self/mounts and /sys/block,
// or a test's own files in their place until it calls UseMountsForTesting({}, {}). The drive
// list takes a change at its next Refresh(), GetDriveTypeA at its next call.
struct MountSource {
    std::filesystem::path mounts;
    std::filesystem::path sysBlock;
};
MountSource CurrentMountSource();
void UseMountsForTesting(const std::filesystem::path& mountsFile,
                         const std::filesystem::path& sysBlock);

// nfs, cifs, sshfs and the other file systems that live on another machine.
bool IsNetworkFileSystem(const std::string& type);

// "/" becomes C:, volumes on block devices and network shares outside the system's own
// folders become D: onwards, in the order of their mount points.
std::vector<Drive> DrivesFromMounts(const std::vector<MountEntry>& mounts);

}  // namespace drives
