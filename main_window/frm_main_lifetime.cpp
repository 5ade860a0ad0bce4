// Loading and unloading the window: the media object and the tray icon live from Form_Load to
// Form_Unload, the saved settings are applied at load and written at unload. Every step is
// guarded, so a failing one never stops loading or unloading half-way.
#include "main_window/frm_main.h"
#include "main_window/guarded.h"
#include "media/cmci_adv.h"
#include "platform/settings.h"
#include "shell/mod_common.h"

namespace {

constexpr const char* kAppName = "Corvala";
constexpr const char* kSection = "Settings";

std::string ReadSetting(const char* key, const std::string& Default) {
    return GetSetting(kAppName, kSection, key, Default);
}

std::string TrueOrFalse(Boolean value) {
    return IsTrue(value) ? "True" : "False";
}

}  // namespace

void frmMain::Form_Load() {
    Guarded([&] { StartDrive = Drive1.Drive(); });
    Guarded([&] { mci_ = std::make_unique<cMCI_Adv>(); });
    Guarded([&] { PrepareVolumeSlider(); });
    Guarded([&] { CreateTrayIcon(); });
    Guarded([&] { SetAlwaysOnTop(hWnd(), vbTrue); });
    ApplySavedSettings();
}

// Each assignment runs its control's Change handler; one that fails is skipped.
void frmMain::ApplySavedSettings() {
    Guarded([&] { Drive1.Drive(ReadSetting("Drive", Drive1.Drive())); });
    Guarded([&] { Directory1.Path(ReadSetting("Directory", Directory1.Path())); });
    Guarded([&] { vsVolume.Value(CInt(ReadSetting("Volume", CStr(vsVolume.Value())))); });
    Guarded([&] {
        if (ReadSetting("AlwaysOnTop", "True") == "False") mnuOptionsTop_Click();
    });
    Guarded([&] {
        if (ReadSetting("ShowMin", "False") == "True") mnuOptionsMin_Click();
    });
}

void frmMain::Form_Unload(std::int16_t&) {
    Guarded([&] {
        if (!mci_) return;
        constexpr ReturningOptions stopNow{
            .hCallbackProc = 0, .WaitToComplete = vbFalse, .ShowErrors = vbFalse};
        Guarded([&] { mci_->MCI_Stop("MIDI", stopNow); });
        Guarded([&] { mci_->MCI_Stop("WAVE", stopNow); });
        Guarded([&] {
            mci_->MCI_CloseAll(
                {.hCallbackProc = 0, .WaitToComplete = vbTrue, .ShowErrors = vbFalse});
        });
        mci_.reset();  // releasing the object closes every device once more
    });
    Guarded([&] { RemoveTrayIcon(); });
    SaveSettings();
    Guarded([&] { UnloadAllForms(vbFalse); });
}

// Each value is read on its own, so one that cannot be read loses none of the others; all are
// then written in one replacement of the file.
void frmMain::SaveSettings() {
    std::vector<std::pair<std::string, std::string>> values;
    const auto keep = [&](const char* key, auto read) {
        Guarded([&] { values.emplace_back(key, read()); });
    };
    keep("Drive", [&] { return Drive1.Drive(); });
    keep("Directory", [&] { return Directory1.Path(); });
    keep("Volume", [&] { return CStr(vsVolume.Value()); });
    keep("AlwaysOnTop", [&] { return TrueOrFalse(mnuOptionsTop.Checked()); });
    keep("ShowMin", [&] { return TrueOrFalse(mnuOptionsMin.Checked()); });
    Guarded([&] { SaveAllSettings(kAppName, kSection, values); });
}

void frmMain::mnuFileExit_Click() {
    UnloadForm();
}
