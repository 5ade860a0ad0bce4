#include "platform/core/drive_kind.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>

#include "platform/drives.h"
#include "platform/kernel.h"

namespace drives {

namespace fs = std::filesystem;

namespace {

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The whole disk a device name belongs to: itself, or the disk that lists it as a partition.
std::optional<fs::path> diskOf(const std::string& device, const fs::path& sysBlock) {
    std::error_code error;
    if (fs::exists(sysBlock / device, error)) return sysBlock / device;
    for (fs::directory_iterator it(sysBlock, error), end; !error && it != end; it.increment(error))
        if (fs::exists(it->path() / device, error)) return it->path();
    return std::nullopt;
}

std::string deviceName(const std::string& source) {
    std::error_code error;
    const fs::path real = fs::canonical(source, error);  // /dev/mapper/x names ../dm-0
    return (error ? fs::path(source) : real).filename().string();
}

constexpr const char* kScsiTypeRom = "5";

std::uint32_t blockDeviceKind(const std::string& source, const fs::path& sysBlock) {
    const std::string device = deviceName(source);
    const auto disk = diskOf(device, sysBlock);
    if (device.starts_with("sr") || (disk && firstLine(*disk / "device" / "type") == kScsiTypeRom))
        return DRIVE_CDROM;
    if (disk && firstLine(*disk / "removable") == "1") return DRIVE_REMOVABLE;
    return DRIVE_FIXED;
}

bool isDiskFileSystem(const std::string& type) {
    static const std::set<std::string> disk{"ext2",  "ext3", "ext4",  "xfs",     "btrfs",
                                            "zfs",   "f2fs", "jfs",   "overlay", "vfat",
                                            "exfat", "ntfs", "ntfs3", "fuseblk", "hfsplus"};
    return disk.contains(type);
}

std::uint32_t kindOfMount(const MountEntry& mount, const fs::path& sysBlock) {
    if (IsNetworkFileSystem(mount.type)) return DRIVE_REMOTE;
    if (mount.type == "iso9660" || mount.type == "udf") return DRIVE_CDROM;
    if (mount.type == "tmpfs" || mount.type == "ramfs") return DRIVE_RAMDISK;
    if (mount.source.starts_with("/dev/")) return blockDeviceKind(mount.source, sysBlock);
    return isDiskFileSystem(mount.type) ? DRIVE_FIXED : DRIVE_UNKNOWN;
}

bool holds(const fs::path& mountPoint, const fs::path& folder) {
    const auto relative = folder.lexically_relative(mountPoint);
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

std::uint32_t DriveKind(const fs::path& folder, const std::vector<MountEntry>& mounts,
                        const fs::path& sysBlock) {
    const MountEntry* best = nullptr;
    for (const auto& mount : mounts)
        if (holds(mount.mountPoint, folder) &&
            (!best || std::distance(mount.mountPoint.begin(), mount.mountPoint.end()) >=
                          std::distance(best->mountPoint.begin(), best->mountPoint.end())))
            best = &mount;
    return best ? kindOfMount(*best, sysBlock) : DRIVE_UNKNOWN;
}

}  // namespace drives

std::uint32_t GetDriveTypeA(const char* rootPathName) {
    const std::string root =
        rootPathName ? rootPathName : std::string(1, drives::CurrentDrive()) + ":\\";
    const bool isRoot =
        (root.size() == 2 || (root.size() == 3 && (root[2] == '\\' || root[2] == '/'))) &&
        root[1] == ':';
    const auto drive = isRoot ? drives::Find(root[0]) : std::nullopt;
    if (!drive) return DRIVE_NO_ROOT_DIR;

    const auto source = drives::CurrentMountSource();
    const auto mounts = drives::ReadMounts(source.mounts);
    // Inside a chroot the mount table lists only the mounts below the new root, never the
    // root's own; the root file system is still the machine's disk.
    const bool rootUnlisted =
        drive->mountPoint == "/" && std::none_of(mounts.begin(), mounts.end(),
                                                 [](const auto& m) { return m.mountPoint == "/"; });
    if (rootUnlisted) return DRIVE_FIXED;
    return drives::DriveKind(drive->mountPoint, mounts, source.sysBlock);
}
