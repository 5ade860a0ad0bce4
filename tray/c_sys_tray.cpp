#include "tray/c_sys_tray.h"

#include <exception>
#include <utility>

#include "platform/runtime.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/screen.h"
#include "platform/user_interface.h"
#include "tray/icon_record.h"
#include "tray/mod_sys_tray.h"

namespace {

// The mouse message each event is raised for; any other message raises nothing.
struct TrayEvent {
    std::uint32_t mouseMessage;
    std::function<void(std::int32_t)> cSysTray::*event;
};

}  // namespace

cSysTray::~cSysTray() {
    try {
        if (FormReference == nullptr) return;
        if (IsTrue(AdvancedOn)) UnhookWindowAll(FormReference->hWnd());
        for (std::size_t position = 1; position <= IconIDs.size(); ++position) {
            RemoveIconEntry(0, static_cast<std::int16_t>(position));
            DoEvents();
        }
        FormReference->StopListeningToMouseMove(MouseMoveListener);
    } catch (const std::exception&) {
        // Termination never fails; what is left stays with the shell.
    }
}

void cSysTray::ST_OwnerForm(Form& NewValue) {
    if (FormReference != nullptr) FormReference->StopListeningToMouseMove(MouseMoveListener);
    FormReference = &NewValue;
    MouseMoveListener = FormReference->ListenToMouseMove(
        [this](std::int16_t Button, std::int16_t Shift, float X, float Y) {
            FormReference_MouseMove(Button, Shift, X, Y);
        });
}

Boolean cSysTray::ST_CreateIcon(std::int32_t IconID, std::int32_t hIcon,
                                const std::string& ToolTipText) {
    if (FormReference == nullptr || IsTrue(IconIDExists(IconID))) return vbFalse;
    if (!IsTrue(SendIcon(NIM_ADD, IconID, hIcon, ToolTipText))) return vbFalse;
    AddIconID(IconID);
    return vbTrue;
}

Boolean cSysTray::ST_ModifyIcon(std::int32_t IconID, std::int32_t hIcon,
                                const std::string& ToolTipText) {
    if (FormReference == nullptr || !IsTrue(IconIDExists(IconID))) return vbFalse;
    return SendIcon(NIM_MODIFY, IconID, hIcon, ToolTipText);
}

Boolean cSysTray::ST_DeleteIcon(std::int32_t IconID) {
    if (FormReference == nullptr) return vbFalse;
    if (!IsTrue(InternalDelete) && !IsTrue(IconIDExists(IconID))) return vbFalse;
    const NOTIFYICONDATAA record = DeleteRecord(FormReference->hWnd(), IconID);
    if (Shell_NotifyIconA(NIM_DELETE, &record) == 0) return vbFalse;
    if (!IsTrue(InternalDelete)) RemoveIconEntry(IconID, 0);
    return vbTrue;
}

Boolean cSysTray::SendIcon(std::uint32_t operation, std::int32_t IconID, std::int32_t hIcon,
                           const std::string& ToolTipText) {
    const std::uint32_t message = CallbackMessage();
    const NOTIFYICONDATAA record =
        IconRecord(FormReference->hWnd(), IconID, message, hIcon, ToolTipText);
    return ToBoolean(Shell_NotifyIconA(operation, &record) != 0);
}

std::uint32_t cSysTray::CallbackMessage() {
    if (!IsTrue(AdvancedOn)) return WM_MOUSEMOVE;
    const std::int32_t hWnd = FormReference->hWnd();
    if (!IsTrue(IsWindowHooked(hWnd))) {
        std::shared_ptr<cSysTray> self = weak_from_this().lock();
        if (!self || !IsTrue(HookWindow(hWnd, std::move(self)))) return FallBackToDefault(hWnd);
    }
    const std::uint32_t message = GetCommMessage();
    return message != 0 ? message : FallBackToDefault(hWnd);
}

// Without a hook or a registered message the icons call back the default way.
std::uint32_t cSysTray::FallBackToDefault(std::int32_t hWnd) {
    UnhookWindow(hWnd);
    AdvancedOn = vbFalse;
    return WM_MOUSEMOVE;
}

void cSysTray::ProcessCallback(std::uint32_t, std::int32_t wParam, std::int32_t lParam) {
    RaiseFor(lParam, wParam);
}

void cSysTray::FormReference_MouseMove(std::int16_t, std::int16_t, float X, float Y) {
    if (Y != 0 || FormReference == nullptr) return;
    const float units = FormReference->ScaleMode() == vbTwips ? X / Screen::TwipsPerPixelX() : X;
    std::int32_t mouseMessage = 0;
    try {
        mouseMessage = CLng(units);
    } catch (const std::exception&) {
        return;  // too far out to be a mouse message
    }
    RaiseFor(mouseMessage, 1);
}

void cSysTray::RaiseFor(std::int32_t mouseMessage, std::int32_t IconID) {
    static constexpr TrayEvent events[] = {
        {WM_LBUTTONUP, &cSysTray::LeftClick},  {WM_MBUTTONUP, &cSysTray::MiddleClick},
        {WM_RBUTTONUP, &cSysTray::RightClick}, {WM_LBUTTONDBLCLK, &cSysTray::DblClick},
        {WM_MOUSEMOVE, &cSysTray::MouseMove},
    };
    for (const TrayEvent& entry : events) {
        if (static_cast<std::int32_t>(entry.mouseMessage) != mouseMessage) continue;
        const auto handler = this->*entry.event;  // a copy: the handler may replace itself
        try {
            if (handler) handler(IconID);
        } catch (const std::exception&) {
            // A failing listener ends its own handling, never the notification's delivery.
        }
        return;
    }
}

void cSysTray::AddIconID(std::int32_t id) {
    if (id < 1 || IsTrue(IconIDExists(id))) return;
    for (std::size_t i = 0; i < IconIDs.size(); ++i) {
        if (!IconActive[i]) {
            IconIDs[i] = id;
            IconActive[i] = true;
            return;
        }
    }
    IconIDs.push_back(id);
    IconActive.push_back(true);
}

Boolean cSysTray::IconIDExists(std::int32_t id) const {
    if (id <= 0) return vbFalse;
    for (std::size_t i = 0; i < IconIDs.size(); ++i) {
        if (IconIDs[i] == id && IconActive[i]) return vbTrue;
    }
    return vbFalse;
}

Boolean cSysTray::RemoveIconEntry(std::int32_t id, std::int16_t index) {
    const auto count = static_cast<std::int32_t>(IconIDs.size());
    if (count < 1 || (id <= 0 && index <= 0) || (id <= 0 && index > count)) return vbFalse;
    if (id > 0) {
        for (std::size_t i = 0; i < IconIDs.size(); ++i) {
            if (IconIDs[i] == id && IconActive[i]) {
                IconIDs[i] = 0;
                IconActive[i] = false;
            }
        }
        return vbFalse;
    }
    const std::size_t i = static_cast<std::size_t>(index) - 1;
    if (IconIDs[i] <= 0 || !IconActive[i]) return vbFalse;
    InternalDelete = vbTrue;
    const Boolean deleted = ST_DeleteIcon(IconIDs[i]);
    InternalDelete = vbFalse;
    IconIDs[i] = 0;
    IconActive[i] = false;
    return deleted;
}
