#pragma once
// Shell functions the program calls by their Windows names: the folder browsing dialog and
// the item identifier lists it deals in. Paths given and returned are in Windows form.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// An item identifier list names one folder. Opaque; release with CoTaskMemFree.
struct ITEMIDLIST;

inline constexpr std::uint32_t BIF_RETURNONLYFSDIRS = 0x0001;
inline constexpr std::uint32_t BIF_EDITBOX = 0x0010;
inline constexpr std::uint32_t BIF_NEWDIALOGSTYLE = 0x0040;
inline constexpr std::uint32_t BIF_BROWSEFORCOMPUTER = 0x1000;
inline constexpr std::uint32_t BIF_BROWSEFORPRINTER = 0x2000;

using BFFCALLBACK = std::int32_t (*)(std::int32_t hwnd, std::uint32_t message, std::intptr_t lParam,
                                     std::intptr_t lpData);

struct BROWSEINFOA {
    std::int32_t hwndOwner;
    const ITEMIDLIST* pidlRoot;  // where the dialog starts; nullptr for its default
    char* pszDisplayName;        // receives the chosen folder's name; MAX_PATH characters
    const char* lpszTitle;       // the prompt shown above the dialog's tree
    std::uint32_t ulFlags;
    BFFCALLBACK lpfn;  // not called
    std::intptr_t lParam;
    std::int32_t iImage;
};

// Shows the dialog; the chosen folder's list, or nullptr when the user cancelled.
ITEMIDLIST* SHBrowseForFolder(BROWSEINFOA* info);
// Writes the folder's Windows path (at most MAX_PATH characters with the NUL); non-zero on
// success.
std::int32_t SHGetPathFromIDList(const ITEMIDLIST* list, char* path);
// The list for an existing folder's path; an empty path gives the list of the dialog's default
// start. nullptr when the folder does not exist.
ITEMIDLIST* SHSimpleIDListFromPath(const char* path);
void CoTaskMemFree(void* memory);

// Who answers the folder dialog: a modal folder chooser unless a test puts a stand-in in place.
class FolderDialog {
  public:
    virtual ~FolderDialog() = default;
    // The chosen folder, or nothing when cancelled. start is empty for the default start.
    virtual std::optional<std::filesystem::path> Choose(std::int32_t hwndOwner,
                                                        const std::string& prompt,
                                                        const std::filesystem::path& start) = 0;
};
// Returns the dialog in use before; nullptr returns to the real one.
FolderDialog* SetFolderDialog(FolderDialog* dialog);
