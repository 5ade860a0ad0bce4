#pragma once
// modCOMDLG32: the shell's folder browsing dialog for the program.
#include <cstdint>
#include <string>

#include "platform/vb_types.h"

// Shows the folder dialog rooted at FolderPath (empty: the dialog's default) with Prompt above
// the tree (empty: "Select Folder:"). True when a folder was chosen; then FolderPath holds its
// path, DisplayName its name and Flags the flags the dialog ran with. After a cancel all three
// are cleared. Errors are shown in a message box and give False.
Boolean CD_ShowFolder(std::int32_t hWndOwner, std::int32_t& Flags, std::string& DisplayName,
                      std::string& FolderPath, std::string Prompt);
