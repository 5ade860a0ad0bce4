#include <cstring>
#include <iterator>

#include "platform/core/handed_out_names.h"
#include "platform/core/short_names.h"
#include "platform/drives.h"
#include "platform/kernel.h"

namespace {

// "X:\SHORT\NAMES" for an existing Linux path: each component below the drive's mount point
// by its short name in its folder.
std::string ShortWindowsPath(const std::filesystem::path& linuxPath) {
    const std::string windows = drives::ToWindows(linuxPath);
    const auto drive = windows.empty() ? std::nullopt : drives::Find(windows.front());
    if (!drive) return {};
    std::string result = windows.substr(0, 2);
    std::filesystem::path folder = drive->mountPoint;
    const auto relative = linuxPath.lexically_normal().lexically_relative(drive->mountPoint);
    for (auto part = relative.begin(); part != relative.end(); ++part) {
        if (part->empty() || *part == ".") continue;
        const std::string shortName = drives::ShortNameOf(folder, part->string());
        if (std::next(part) == relative.end())
            drives::RememberHandedOut(folder, shortName, part->string());
        result += '\\' + shortName;
        folder /= *part;
    }
    return result.size() == 2 ? result + "\\" : result;
}

}  // namespace

std::uint32_t GetShortPathNameA(const char* longPath, char* shortPath, std::uint32_t bufferLength) {
    if (longPath == nullptr) return 0;
    const auto resolved = drives::Resolve(longPath);
    if (!resolved) return 0;
    const std::string shortForm = ShortWindowsPath(*resolved);
    if (shortForm.empty()) return 0;
    const auto length = static_cast<std::uint32_t>(shortForm.size());
    if (shortPath == nullptr || length + 1 > bufferLength) return length + 1;
    std::memcpy(shortPath, shortForm.c_str(), shortForm.size() + 1);
    return length;
}
