// The window options: staying above other windows, and leaving the task bar when minimised.
// These handlers have no guard of their own.
#include "main_window/frm_main.h"
#include "shell/mod_common.h"

void frmMain::mnuOptionsTop_Click() {
    if (IsTrue(mnuOptionsTop.Checked())) {
        mnuOptionsTop.Checked(vbFalse);
        SetAlwaysOnTop(hWnd(), vbFalse);
    } else {
        mnuOptionsTop.Checked(vbTrue);
        SetAlwaysOnTop(hWnd(), vbTrue);
    }
}

void frmMain::mnuOptionsMin_Click() {
    if (IsTrue(mnuOptionsMin.Checked())) {
        mnuOptionsMin.Checked(vbFalse);
        bShowMin = vbFalse;
    } else {
        mnuOptionsMin.Checked(vbTrue);
        bShowMin = vbTrue;
    }
}

// Minimised, the window stays on the task bar only when asked to; otherwise the tray icon is
// the way back to it.
void frmMain::Form_Resize() {
    if (!IsTrue(Visible()) && WindowState() == vbMinimized) {
        if (IsTrue(bShowMin)) Visible(vbTrue);
    } else if (IsTrue(Visible()) && WindowState() == vbMinimized && !IsTrue(bShowMin)) {
        Visible(vbFalse);
    }
}
