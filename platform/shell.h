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

// Notification-area icons. The record is the ANSI layout of 88 bytes the program fills in.
inline constexpr std::uint32_t NIM_ADD = 0;
inline constexpr std::uint32_t NIM_MODIFY = 1;
inline constexpr std::uint32_t NIM_DELETE = 2;
inline constexpr std::uint32_t NIF_MESSAGE = 1;
inline constexpr std::uint32_t NIF_ICON = 2;
inline constexpr std::uint32_t NIF_TIP = 4;

struct NOTIFYICONDATAA {
    std::uint32_t cbSize;
    std::int32_t hWnd;  // the window that receives the callback message
    std::uint32_t uID;
    std::uint32_t uFlags;            // which of the three fields below count
    std::uint32_t uCallbackMessage;  // posted with wParam uID and lParam the mouse message
    std::int32_t hIcon;              // a picture's handle
    char szTip[64];                  // up to the first NUL
};
static_assert(sizeof(NOTIFYICONDATAA) == 88);

// Adds, changes or removes the icon named by (hWnd, uID); non-zero on success. Adding fails
// where the desktop shows no notification area; an added icon follows the area when the
// panel that holds it goes away and comes back.
std::int32_t Shell_NotifyIconA(std::uint32_t dwMessage, const NOTIFYICONDATAA* lpData);

// Who shows the icons: the desktop's notification area unless a test puts a stand-in in place.
class NotificationArea {
  public:
    virtual ~NotificationArea() = default;
    virtual std::int32_t Notify(std::uint32_t dwMessage, const NOTIFYICONDATAA& data) = 0;
};
// Returns the area in use before; nullptr returns to the desktop's.
NotificationArea* SetNotificationArea(NotificationArea* area);

// Show commands.
inline constexpr std::int32_t SW_SHOW = 5;

// Hands a document (a Windows path) or an address ("https:", "mailto:", ...) to the program
// the desktop opens it with. Only the verb "open" (or none) is known. Above 32 on success;
// otherwise 2 (file not found), 3 (path not found), 5 (access denied) or 31 (nothing opens it).
std::intptr_t ShellExecuteA(std::int32_t hwnd, const char* lpOperation, const char* lpFile,
                            const char* lpParameters, const char* lpDirectory,
                            std::int32_t nShowCmd);

// Who starts the program for a document or address: the desktop's launcher unless a test puts
// a stand-in in place. Gets a URL ("file:" for documents); false when nothing could open it.
class DesktopLauncher {
  public:
    virtual ~DesktopLauncher() = default;
    virtual bool Open(const std::string& url) = 0;
};
// Returns the launcher in use before; nullptr returns to the desktop's.
DesktopLauncher* SetDesktopLauncher(DesktopLauncher* launcher);
