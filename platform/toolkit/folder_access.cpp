#include "platform/toolkit/folder_access.h"

#include <algorithm>

#include "platform/core/ignoring_case.h"
#include "platform/drives.h"
#include "platform/runtime_error.h"

namespace toolkit {
namespace {

namespace fs = std::filesystem;

bool IsDriveText(const std::string& text) {
    return text.size() >= 2 && text[1] == ':' && (text.size() == 2 || text[2] == ' ');
}

bool IsReadableFolder(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) return false;
    fs::directory_iterator probe(folder, error);
    return !error;
}

// Ignoring case first; names that differ only in case keep one order all the same.
bool ListOrder(const std::string& a, const std::string& b) {
    const int order = text::CompareIgnoringCase(a, b);
    return order != 0 ? order < 0 : a < b;
}

bool IsWanted(const fs::directory_entry& entry, EntryKind kind) {
    std::error_code error;
    return kind == EntryKind::Folders ? entry.is_directory(error) : entry.is_regular_file(error);
}

}  // namespace

fs::path ReadableFolder(const std::string& pathOrDrive) {
    if (IsDriveText(pathOrDrive)) {
        if (!drives::Find(pathOrDrive.front())) {
            throw RuntimeError(vberr::DeviceUnavailable, "Device unavailable");
        }
        const auto folder = drives::Resolve(drives::CurrentDirectory(pathOrDrive.front()));
        if (!folder || !IsReadableFolder(*folder)) {
            throw RuntimeError(vberr::DeviceUnavailable, "Device unavailable");
        }
        return *folder;
    }
    const auto folder = drives::Resolve(pathOrDrive);
    if (!folder || !IsReadableFolder(*folder)) {
        throw RuntimeError(vberr::PathNotFound, "Path not found");
    }
    return *folder;
}

std::vector<std::string> VisibleEntries(const fs::path& folder, EntryKind kind) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (!name.starts_with('.') && IsWanted(*it, kind)) names.push_back(std::move(name));
    }
    std::ranges::sort(names, ListOrder);
    return names;
}

std::string JoinWindowsPath(const std::string& folder, const std::string& name) {
    return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

}  // namespace toolkit
