#pragma once
// What kind of drive a folder lives on, as GetDriveTypeA reports it: from the mount that holds
// the folder and, for a volume on a block device, from what the kernel says of that device.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/core/mount_table.h"

namespace drives {

// The mount holding `folder` (the deepest mount point above it, the latest of equals) decides:
// a network file system is remote; iso9660 and udf, or an optical device (sr*, or SCSI type 5
// under `sysBlock`) are CD-ROMs; tmpfs and ramfs are RAM disks; a block device whose disk has
// the kernel's removable flag is removable; other disk file systems are fixed; anything else,
// or no mount at all, is unknown.
std::uint32_t DriveKind(const std::filesystem::path& folder, const std::vector<MountEntry>& mounts,
                        const std::filesystem::path& sysBlock);

}  // namespace drives
