#include "platform/core/mount_table.h"

#include <mntent.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <mutex>
#include <set>
#include <string_view>

namespace drives {

namespace {

MountSource systemSource() {
    return {"/proc/self/mounts", "/sys/block"};
}

struct ReplaceableSource {
    std::mutex mutex;
    MountSource current = systemSource();
};

ReplaceableSource& source() {
    static ReplaceableSource instance;
    return instance;
}

bool isUnder(std::string_view path, std::string_view folder) {
    return path == folder || (path.starts_with(folder) && path[folder.size()] == '/');
}

bool isSystemFolder(const std::string& mountPoint) {
    if (isUnder(mountPoint, "/run/media")) return false;
    constexpr std::array system{"/proc", "/sys",     "/dev", "/run", "/boot",
                                "/snap", "/var/lib", "/usr", "/etc", "/tmp"};
    return std::any_of(system.begin(), system.end(),
                       [&](const char* folder) { return isUnder(mountPoint, folder); });
}

bool isVolume(const std::string& source, const std::string& type) {
    return source.starts_with("/dev/") || IsNetworkFileSystem(type);
}

std::string labelOf(const std::string& mountPoint) {
    // Appended piece by piece: GCC 12 at -O3 misreports "[" + text + "]" as an overlapping copy.
    std::string label = "[";
    label += mountPoint.substr(mountPoint.find_last_of('/') + 1);
    label += ']';
    return label;
}

}  // namespace

std::vector<MountEntry> ReadMounts(const std::filesystem::path& mountsFile) {
    std::vector<MountEntry> entries;
    const std::unique_ptr<FILE, int (*)(FILE*)> file(setmntent(mountsFile.c_str(), "r"), endmntent);
    if (!file) return entries;
    // Room for an overlay's long option list; getmntent_r cuts a longer line, first fields kept.
    std::vector<char> line(1 << 16);
    mntent entry{};
    while (getmntent_r(file.get(), &entry, line.data(), static_cast<int>(line.size())))
        if (*entry.mnt_type) entries.push_back({entry.mnt_fsname, entry.mnt_dir, entry.mnt_type});
    return entries;
}

MountSource CurrentMountSource() {
    auto& s = source();
    std::lock_guard lock(s.mutex);
    return s.current;
}

void UseMountsForTesting(const std::filesystem::path& mountsFile,
                         const std::filesystem::path& sysBlock) {
    auto& s = source();
    std::lock_guard lock(s.mutex);
    s.current = mountsFile.empty() ? systemSource() : MountSource{mountsFile, sysBlock};
}

bool IsNetworkFileSystem(const std::string& type) {
    static const std::set<std::string> network{"nfs",   "nfs4",       "cifs",        "smb3",
                                               "smbfs", "fuse.sshfs", "9p",          "afs",
                                               "ceph",  "glusterfs",  "fuse.rclone", "davfs"};
    return network.contains(type);
}

std::vector<Drive> DrivesFromMounts(const std::vector<MountEntry>& mounts) {
    std::vector<std::string> volumes;
    for (const auto& entry : mounts) {
        const std::string mountPoint = entry.mountPoint.string();
        if (mountPoint == "/" || isSystemFolder(mountPoint) || !isVolume(entry.source, entry.type))
            continue;
        volumes.push_back(mountPoint);
    }
    std::sort(volumes.begin(), volumes.end());
    volumes.erase(std::unique(volumes.begin(), volumes.end()), volumes.end());

    std::vector<Drive> table{{'C', "/", "[/]"}};
    char letter = 'D';
    for (const auto& mountPoint : volumes) {
        if (letter > 'Z') break;
        table.push_back({letter++, mountPoint, labelOf(mountPoint)});
    }
    return table;
}

}  // namespace drives
