// The folder browsing functions over the toolkit's folder dialog. An item identifier list is a
// block from malloc holding the folder's Linux path and its NUL.
#include <cstdlib>
#include <cstring>

#include "platform/drives.h"
#include "platform/shell.h"
#include "platform/toolkit/folder_picker_window.h"
#include "platform/toolkit/window_registry.h"
#include "platform/vb_types.h"

namespace {

class TreeFolderDialog : public FolderDialog {
  public:
    std::optional<std::filesystem::path> Choose(std::int32_t hwndOwner, const std::string& prompt,
                                                const std::filesystem::path& start) override {
        return toolkit::PickFolder(toolkit::WindowWidget(hwndOwner), prompt, start);
    }
};

FolderDialog& RealDialog() {
    static TreeFolderDialog dialog;
    return dialog;
}

FolderDialog*& CurrentDialog() {
    static FolderDialog* current = &RealDialog();
    return current;
}

ITEMIDLIST* NewList(const std::string& linuxPath) {
    char* block = static_cast<char*>(std::malloc(linuxPath.size() + 1));
    if (block == nullptr) return nullptr;
    std::memcpy(block, linuxPath.c_str(), linuxPath.size() + 1);
    return reinterpret_cast<ITEMIDLIST*>(block);
}

std::string PathOf(const ITEMIDLIST* list) {
    return list == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(list));
}

void CopyTruncated(const std::string& text, char* buffer) {
    const std::size_t length = std::min<std::size_t>(text.size(), MAX_PATH - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

std::string DisplayNameOf(const std::filesystem::path& folder) {
    const std::string name = folder.filename().string();
    return name.empty() ? drives::ToWindows(folder) : name;
}

}  // namespace

FolderDialog* SetFolderDialog(FolderDialog* dialog) {
    FolderDialog* before = CurrentDialog();
    CurrentDialog() = dialog != nullptr ? dialog : &RealDialog();
    return before;
}

ITEMIDLIST* SHBrowseForFolder(BROWSEINFOA* info) {
    if (info == nullptr) return nullptr;
    const std::string prompt = info->lpszTitle != nullptr ? info->lpszTitle : "";
    const auto chosen = CurrentDialog()->Choose(info->hwndOwner, prompt, PathOf(info->pidlRoot));
    if (!chosen) return nullptr;
    if (info->pszDisplayName != nullptr)
        CopyTruncated(DisplayNameOf(*chosen), info->pszDisplayName);
    return NewList(chosen->string());
}

std::int32_t SHGetPathFromIDList(const ITEMIDLIST* list, char* path) {
    const std::string folder = PathOf(list);
    if (folder.empty() || path == nullptr) return 0;
    const std::string windowsPath = drives::ToWindows(folder);
    if (windowsPath.size() >= MAX_PATH) return 0;
    CopyTruncated(windowsPath, path);
    return 1;
}

ITEMIDLIST* SHSimpleIDListFromPath(const char* path) {
    if (path == nullptr || *path == '\0') return NewList("");
    const auto folder = drives::Resolve(path);
    return folder ? NewList(folder->string()) : nullptr;
}

void CoTaskMemFree(void* memory) {
    std::free(memory);
}
