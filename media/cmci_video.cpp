// The display window of a video device: its caption, its icon and where the picture goes.
#include <charconv>

#include "media/cmci_adv.h"
#include "platform/user_interface.h"

namespace {

// A window handle as the service writes it: a plain decimal number.
bool readHandle(const std::string& reply, std::int32_t& handle) {
    const std::string text = Trim(reply);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), handle);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::string area(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    return " at " + CStr(left) + " " + CStr(top) + " " + CStr(width) + " " + CStr(height);
}

}  // namespace

Boolean cMCI_Adv::FindDisplayWindow(const std::string& DeviceAlias, std::int32_t hCallbackProc,
                                    Boolean ShowErrors, std::int32_t& hWnd) {
    const std::string alias = Trim(DeviceAlias);
    if (alias.empty()) return vbFalse;
    std::string reply;
    if (!IsTrue(MCI_Status(alias, "window handle", reply,
                           {.hCallbackProc = hCallbackProc, .ShowErrors = ShowErrors})))
        return vbFalse;
    return ToBoolean(readHandle(reply, hWnd));
}

Boolean cMCI_Adv::MCI_WindowCaption(const std::string& DeviceAlias,
                                    const std::string& strNewWindowCaption,
                                    const ReturningOptions& o) {
    std::int32_t hWnd = 0;
    if (!IsTrue(FindDisplayWindow(DeviceAlias, o.hCallbackProc, o.ShowErrors, hWnd)))
        return vbFalse;
    return ToBoolean(SetWindowText(hWnd, (strNewWindowCaption + '\0').c_str()) != 0);
}

// The answer to WM_SETICON is the previous icon, so there is no success to test: sent is done.
Boolean cMCI_Adv::MCI_WindowIcon(const std::string& DeviceAlias, std::int32_t hIcon,
                                 const ReturningOptions& o) {
    std::int32_t hWnd = 0;
    if (!IsTrue(FindDisplayWindow(DeviceAlias, o.hCallbackProc, o.ShowErrors, hWnd)))
        return vbFalse;
    SendMessageA(hWnd, WM_SETICON, ICON_BIG, hIcon);
    return vbTrue;
}

Boolean cMCI_Adv::MCIa_MoveVideo(const std::string& DeviceAlias, const MoveVideoOptions& o) {
    const std::string alias = Trim(DeviceAlias);
    if (alias.empty()) return vbFalse;
    const std::string put = "put " + alias;
    std::vector<std::string> commands{put + " window", put + " window client"};
    commands.push_back(put + " source" +
                       (IsTrue(o.UseEntireSourceImage)
                            ? ""
                            : area(o.Source_Left, o.Source_Top, o.Source_Width, o.Source_Height)));
    if (IsTrue(o.MoveWindowLocation))
        commands.push_back(put + " window" +
                           area(o.Window_Left, o.Window_Top, o.Window_Width, o.Window_Height));
    commands.push_back(put + " destination" +
                       (IsTrue(o.DisplayVideoOnEntireWindow)
                            ? ""
                            : area(o.Dest_Left, o.Dest_Top, o.Dest_Width, o.Dest_Height)));
    for (const std::string& command : commands)
        if (!IsTrue(MCIa_SendCommand(command, {.hCallbackProc = o.hCallbackProc,
                                               .WaitToComplete = o.WaitToComplete,
                                               .ShowErrors = o.ShowErrors})))
            return vbFalse;
    return vbTrue;
}
