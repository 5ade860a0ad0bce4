#pragma once
// The folder browsing dialog: the caller's prompt above a tree of folders, OK and Cancel.
#include <filesystem>
#include <optional>
#include <string>

class QWidget;

namespace toolkit {

// Shows the dialog modally over the owner (which may be nullptr). The tree is rooted at
// `root`, or at the file system's root when that is empty. The chosen folder, or nothing
// when the user cancelled.
std::optional<std::filesystem::path> PickFolder(QWidget* owner, const std::string& prompt,
                                                const std::filesystem::path& root);

}  // namespace toolkit
