// Browsing: the drive list moves the directory list, the directory list moves both file lists,
// an unreadable drive is reported and the drive list returns to the start drive, F5 re-reads
// everything and File, Open Directory moves all four lists to a folder the user picks.
#include <cstdio>

#include "main_window/frm_main.h"
#include "main_window/guarded.h"
#include "platform/shell.h"
#include "platform/user_interface.h"
#include "shell/mod_comdlg32.h"

void frmMain::Drive1_Change() {
    if (IsTrue(Reverting)) return;
    std::string before;
    Guarded([&] { before = Directory1.Path(); });
    Guarded([&] { Directory1.Path(Drive1.Drive()); });
    std::string after;
    Guarded([&] { after = Directory1.Path(); });
    if (after != before) return;
    Guarded([&] {
        MsgBox(Drive1.Drive() + " is not accessible.\r\rThe device is not ready.", vbCritical,
               "  Can Not Access Drive");
    });
    Reverting = vbTrue;
    Guarded([&] { Drive1.Drive(StartDrive); });
    Reverting = vbFalse;
}

void frmMain::Directory1_Change() {
    Guarded([&] { WAVEs.Path(Directory1.Path()); });
    Guarded([&] { MIDIs.Path(Directory1.Path()); });
}

void frmMain::Directory1_KeyDown(std::int16_t KeyCode, std::int16_t) {
    if (KeyCode == vbKeyF5) Directory1.Refresh();
}

void frmMain::Form_KeyDown(std::int16_t KeyCode, std::int16_t) {
    if (KeyCode == vbKeyF5) RefreshAllLists();
}

void frmMain::mnuSoundsRefresh_Click() {
    RefreshAllLists();
}

void frmMain::RefreshAllLists() {
    Drive1.Refresh();
    Directory1.Refresh();
    MIDIs.Refresh();
    WAVEs.Refresh();
}

void frmMain::mnuFileOpen_Click() {
    std::int32_t flags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    std::string displayName;
    std::string folderPath;
    if (!IsTrue(CD_ShowFolder(hWnd(), flags, displayName, folderPath,
                              "Select The Directory To Open:"))) {
        return;
    }
    ShowFolder(folderPath);
}

// A folder the lists cannot take (no drive letter, gone meanwhile) leaves them where they
// were; the error goes no further than here.
void frmMain::ShowFolder(const std::string& folderPath) {
    try {
        Drive1.Drive(folderPath);
        Directory1.Path(folderPath);
        MIDIs.Path(folderPath);
        WAVEs.Path(folderPath);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvala: cannot open %s: %s\n", folderPath.c_str(), error.what());
    }
}
