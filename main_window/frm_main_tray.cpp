// The main window's side of the tray: the icon it keeps from start-up to shutdown, a left click
// bringing the window back, a right click opening the popup menu, whose items run the window's
// own commands, and the About command the popup shares with Help, About.
#include "main_window/frm_main.h"
#include "shell/frm_about.h"
#include "shell/mod_common.h"
#include "tray/c_sys_tray.h"

void frmMain::ConnectTrayEvents() {
    mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };
    mnuPopMIDIPlay.Click = [this] { mnuPopMIDIPlay_Click(); };
    mnuPopMIDIPause.Click = [this] { mnuPopMIDIPause_Click(); };
    mnuPopMIDIStop.Click = [this] { mnuPopMIDIStop_Click(); };
    mnuPopWAVEPlay.Click = [this] { mnuPopWAVEPlay_Click(); };
    mnuPopWAVEPause.Click = [this] { mnuPopWAVEPause_Click(); };
    mnuPopWAVEStop.Click = [this] { mnuPopWAVEStop_Click(); };
    mnuPopAbout.Click = [this] { mnuPopAbout_Click(); };
    mnuPopExit.Click = [this] { mnuPopExit_Click(); };
}

// The tray step of start-up. Without a notification area the shell refuses the icon and the
// window runs without one.
void frmMain::CreateTrayIcon() {
    SysTray = std::make_shared<cSysTray>();
    SysTray->LeftClick = [this](std::int32_t IconID) { SysTray_LeftClick(IconID); };
    SysTray->RightClick = [this](std::int32_t IconID) { SysTray_RightClick(IconID); };
    SysTray->ST_OwnerForm(*this);
    SysTray->ST_CreateIcon(1, Icon().Handle(), "Corvala");
}

// The tray step of shutdown; releasing the object then finds no icon left to remove.
void frmMain::RemoveTrayIcon() {
    if (!SysTray) return;
    SysTray->ST_DeleteIcon(1);
    SysTray.reset();
}

void frmMain::SysTray_LeftClick(std::int32_t) {
    WindowState(0);
    Visible(vbTrue);
    ZOrder();
    SetFocus();
}

void frmMain::SysTray_RightClick(std::int32_t) {
    PopupMenu(mnuPop);
}

// While the About window is open the main window does not stay above it; afterwards it is
// top-most again only if the option says so.
void frmMain::mnuHelpAbout_Click() {
    SetAlwaysOnTop(hWnd(), vbFalse);
    frmAbout about;
    about.Show(vbModal);
    SetAlwaysOnTop(hWnd(), mnuOptionsTop.Checked());
}
