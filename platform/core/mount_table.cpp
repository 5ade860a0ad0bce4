#include "platform/core/mount_table.h"

#include <algorithm>
#include <array>
#include <set>
#include <sstream>
#include <string_view>

namespace drives {

namespace {

// /proc/self/mounts writes space, tab, newline and backslash as octal escapes ("\040").
std::string unescapeOctal(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool escape = field[i] == '\\' && i + 3 < field.size();
        if (escape && std::all_of(field.begin() + i + 1, field.begin() + i + 4,
                                  [](char c) { return c >= '0' && c <= '7'; })) {
            out.push_back(static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8)));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

bool isUnder(std::string_view path, std::string_view folder) {
    return path == folder || (path.starts_with(folder) && path[folder.size()] == '/');
}

bool isSystemFolder(const std::string& mountPoint) {
    if (isUnder(mountPoint, "/run/media")) return false;
    constexpr std::array system{"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib",
                                "/usr", "/etc", "/tmp"};
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

std::vector<MountEntry> ReadMountEntries(std::istream& mounts) {
    std::vector<MountEntry> entries;
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string source, mountPoint, type;
        if (!(fields >> source >> mountPoint >> type)) continue;
        entries.push_back({unescapeOctal(source), unescapeOctal(mountPoint), type});
    }
    return entries;
}

bool IsNetworkFileSystem(const std::string& type) {
    static const std::set<std::string> network{"nfs",   "nfs4",       "cifs",        "smb3",
                                               "smbfs", "fuse.sshfs", "9p",          "afs",
                                               "ceph",  "glusterfs",  "fuse.rclone", "davfs"};
    return network.contains(type);
}

std::vector<Drive> DrivesFromMounts(std::istream& mounts) {
    std::vector<std::string> volumes;
    for (const auto& entry : ReadMountEntries(mounts)) {
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
