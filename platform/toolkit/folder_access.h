#pragma once
// Folders as the list controls see them: a path or drive text in Windows form turned into a
// readable folder, and a folder's visible entries in the order the lists show them.
#include <filesystem>
#include <string>
#include <vector>

namespace toolkit {

// A Windows path ("C:\WORK") or a drive text ("d:", "d: [label]", meaning that drive's current
// directory) that names a readable folder. Error 68 for a drive that is missing or cannot be
// read, 76 for a path that is not a readable folder.
std::filesystem::path ReadableFolder(const std::string& pathOrDrive);

enum class EntryKind { Folders, Files };
// Names of the folder's folders or files, sorted ignoring case. Hidden entries (names
// starting with ".") are left out, as are sockets, pipes and devices. Empty when unreadable.
std::vector<std::string> VisibleEntries(const std::filesystem::path& folder, EntryKind kind);

// Joins a Windows folder path and a name with exactly one "\".
std::string JoinWindowsPath(const std::string& folder, const std::string& name);

}  // namespace toolkit
