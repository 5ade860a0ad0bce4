#pragma once
// cSysTray: notification-area icons for one owner window, and the five mouse events on them.
//
// In the default mode every icon calls back with WM_MOUSEMOVE, so a click arrives as the owner
// window's MouseMove with the mouse message in X (in the window's scale units) and Y 0; the
// object listens to that event beside the window's own handler. In the advanced mode the icons call
// back with the registered message "cSysTray_Comm_Message" and the owner window is hooked
// (modSysTray), which hands the message to ProcessCallback. Make objects with std::make_shared: the
// hook tables keep a hooked owner alive.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/vb_types.h"

class Form;

class cSysTray : public std::enable_shared_from_this<cSysTray> {
  public:
    cSysTray() = default;
    ~cSysTray();  // removes every icon still active
    cSysTray(const cSysTray&) = delete;
    cSysTray& operator=(const cSysTray&) = delete;

    Form* ST_OwnerForm() const { return FormReference; }
    void ST_OwnerForm(Form& NewValue);
    Boolean ST_AdvancedProcessing() const { return AdvancedOn; }
    void ST_AdvancedProcessing(Boolean NewValue) { AdvancedOn = NewValue; }
    Boolean ST_CreateIcon(std::int32_t IconID, std::int32_t hIcon,
                          const std::string& ToolTipText = "");
    Boolean ST_ModifyIcon(std::int32_t IconID, std::int32_t hIcon,
                          const std::string& ToolTipText = "");
    Boolean ST_DeleteIcon(std::int32_t IconID);

    // Raised synchronously, in the order the notifications arrive.
    std::function<void(std::int32_t IconID)> LeftClick;
    std::function<void(std::int32_t IconID)> MiddleClick;
    std::function<void(std::int32_t IconID)> RightClick;
    std::function<void(std::int32_t IconID)> DblClick;
    std::function<void(std::int32_t IconID)> MouseMove;

  private:
    friend std::int32_t TrayWindowProc(std::int32_t, std::uint32_t, std::int32_t, std::int32_t);

    void ProcessCallback(std::uint32_t uMsg, std::int32_t wParam, std::int32_t lParam);
    void FormReference_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void RaiseFor(std::int32_t mouseMessage, std::int32_t IconID);

    Boolean SendIcon(std::uint32_t operation, std::int32_t IconID, std::int32_t hIcon,
                     const std::string& ToolTipText);
    std::uint32_t CallbackMessage();
    std::uint32_t FallBackToDefault(std::int32_t hWnd);

    void AddIconID(std::int32_t id);
    Boolean IconIDExists(std::int32_t id) const;
    Boolean RemoveIconEntry(std::int32_t id, std::int16_t index);

    Form* FormReference = nullptr;
    int MouseMoveListener = 0;
    // Positions 1..IconCount are elements 0..size-1; they are reused, never removed.
    std::vector<std::int32_t> IconIDs;
    std::vector<bool> IconActive;
    Boolean InternalDelete = vbFalse;
    Boolean AdvancedOn = vbFalse;
};
