// Loading and unloading the window: the media object lives from Form_Load to Form_Unload,
// and unloading stops both channels and closes every device. Every step is guarded, so a
// failing one never stops loading or unloading half-way.
#include "main_window/frm_main.h"
#include "main_window/guarded.h"
#include "media/cmci_adv.h"

void frmMain::Form_Load() {
    Guarded([&] { StartDrive = Drive1.Drive(); });
    Guarded([&] { mci_ = std::make_unique<cMCI_Adv>(); });
}

void frmMain::Form_Unload(std::int16_t&) {
    if (!mci_) return;
    constexpr ReturningOptions stopNow{
        .hCallbackProc = 0, .WaitToComplete = vbFalse, .ShowErrors = vbFalse};
    Guarded([&] { mci_->MCI_Stop("MIDI", stopNow); });
    Guarded([&] { mci_->MCI_Stop("WAVE", stopNow); });
    Guarded([&] {
        mci_->MCI_CloseAll({.hCallbackProc = 0, .WaitToComplete = vbTrue, .ShowErrors = vbFalse});
    });
    mci_.reset();  // releasing the object closes every device once more
}

void frmMain::mnuFileExit_Click() {
    UnloadForm();
}
