#include "platform/mci/save_target.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <ranges>

#include "platform/drives.h"

namespace mci {

namespace {

// Takes the path with either separator turned into '\'.
bool holdsOverlongName(const std::string& path) {
    for (const auto part : std::views::split(path, '\\'))
        if (std::ranges::distance(part) > NAME_MAX) return true;
    return false;
}

}  // namespace

std::string WhyNotSaveable(const std::string& path) {
    namespace fs = std::filesystem;
    std::string unified = path;
    std::ranges::replace(unified, '/', '\\');
    if (holdsOverlongName(unified)) return "a name in the path is too long for the file system.";
    if (unified.size() >= PATH_MAX) return "the path is too long.";
    const auto file = drives::ResolveForCreate(path);
    std::error_code error;
    if (!file || !fs::exists(*file, error)) return {};
    if (fs::is_directory(*file, error)) return path + " is a folder.";
    if (!fs::is_regular_file(*file, error))
        return path + " is a device or other special file, not a regular file.";
    return {};
}

}  // namespace mci
