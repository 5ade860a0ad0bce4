#pragma once
// The record cSysTray hands to Shell_NotifyIconA.
#include <cstdint>
#include <string>

#include "platform/shell.h"

// For NIM_ADD and NIM_MODIFY: message, icon and tip all set.
NOTIFYICONDATAA IconRecord(std::int32_t hWnd, std::int32_t IconID, std::uint32_t callbackMessage,
                           std::int32_t hIcon, const std::string& ToolTipText);
// For NIM_DELETE: only the window and the identifier.
NOTIFYICONDATAA DeleteRecord(std::int32_t hWnd, std::int32_t IconID);
