#include <cstring>

#include "platform/drives.h"
#include "platform/kernel.h"

std::uint32_t GetShortPathNameA(const char* longPath, char* shortPath, std::uint32_t bufferLength) {
    if (longPath == nullptr) return 0;
    const auto resolved = drives::Resolve(longPath);
    if (!resolved) return 0;
    const std::string windows = drives::ToWindows(*resolved);
    const auto length = static_cast<std::uint32_t>(windows.size());
    if (shortPath == nullptr || length + 1 > bufferLength) return length + 1;
    std::memcpy(shortPath, windows.c_str(), windows.size() + 1);
    return length;
}
