#include "shell/mod_comdlg32.h"

#include <memory>

#include "platform/runtime_error.h"
#include "platform/shell.h"
#include "platform/user_interface.h"

namespace {

struct TaskMemory {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using IdList = std::unique_ptr<ITEMIDLIST, TaskMemory>;

std::string UpToFirstNul(const std::string& buffer) {
    return buffer.substr(0, buffer.find('\0'));
}

// Errors 0 and 20 let the function go on with its next statement; any other one ends it.
template <typename Statement>
void ResumingOnHarmlessErrors(Statement statement) {
    try {
        statement();
    } catch (const RuntimeError& error) {
        if (error.Number != 0 && error.Number != 20) throw;
    }
}

void ShowError(const RuntimeError& error) {
    MsgBox(error.Source + " encountered the following error in the CD_ShowFolder function:\r\r" +
               "Error Number = " + CStr(error.Number) + "\r" +
               "Error Description = " + error.Description,
           vbExclamation, "  Error  -  " + error.Description);
}

}  // namespace

Boolean CD_ShowFolder(std::int32_t hWndOwner, std::int32_t& Flags, std::string& DisplayName,
                      std::string& FolderPath, std::string Prompt) {
    try {
        if (Flags == 0) Flags = BIF_RETURNONLYFSDIRS;
        if (FolderPath.empty()) FolderPath = std::string(1, '\0');
        if (Prompt.empty()) Prompt = "Select Folder:";
        Prompt += '\0';
        if ((Flags & (BIF_BROWSEFORCOMPUTER | BIF_BROWSEFORPRINTER)) != 0)
            FolderPath = std::string(1, '\0');

        IdList root;
        ResumingOnHarmlessErrors([&] { root.reset(SHSimpleIDListFromPath(FolderPath.c_str())); });
        std::string displayName(MAX_PATH, '\0');
        BROWSEINFOA info{.hwndOwner = hWndOwner,
                         .pidlRoot = root.get(),
                         .pszDisplayName = displayName.data(),
                         .lpszTitle = Prompt.c_str(),
                         .ulFlags = static_cast<std::uint32_t>(Flags),
                         .lpfn = nullptr,
                         .lParam = 0,
                         .iImage = 0};
        IdList chosen;
        ResumingOnHarmlessErrors([&] { chosen.reset(SHBrowseForFolder(&info)); });
        if (!chosen) {
            Flags = 0;
            DisplayName.clear();
            FolderPath.clear();
            return vbFalse;
        }
        Flags = static_cast<std::int32_t>(info.ulFlags);
        DisplayName = UpToFirstNul(displayName);
        FolderPath = std::string(MAX_PATH, '\0');
        ResumingOnHarmlessErrors([&] {
            if (SHGetPathFromIDList(chosen.get(), FolderPath.data()) != 0) {
                FolderPath = UpToFirstNul(FolderPath);
            }
        });
        return vbTrue;
    } catch (const RuntimeError& error) {
        ShowError(error);
        return vbFalse;
    }
}
