// The two playback channels. Each handler exists once per channel; the channel's table entry
// (alias, device type, list, Pause button, flags) says which. Only opening a file and its first
// play report MCI errors; every other command fails silently and the flags follow its result.
#include "main_window/frm_main.h"
#include "main_window/guarded.h"
#include "media/cmci_adv.h"
#include "platform/runtime_error.h"

namespace {

constexpr ReturningOptions SilentNow{
    .hCallbackProc = 0, .WaitToComplete = vbFalse, .ShowErrors = vbFalse};
constexpr WaitingOptions SilentWaiting{
    .hCallbackProc = 0, .WaitToComplete = vbTrue, .ShowErrors = vbFalse};

PlayOptions PlayFromStart(Boolean showErrors) {
    return {.SpecifyStartPosition = vbFalse,
            .StartPosition = 0,
            .SpecifyEndPosition = vbFalse,
            .EndPosition = 0,
            .PlayFullScreen = vbFalse,
            .RepeatPlay = vbFalse,
            .hCallbackProc = 0,
            .WaitToComplete = vbFalse,
            .ShowErrors = showErrors};
}

OpenOptions OpenFile(std::int32_t deviceType, const std::string& path) {
    return {.DeviceType = deviceType,
            .FilePath = path,
            .Shareable = vbFalse,
            .BufferSize = 0,
            .Parent_Handle = 0,
            .Style_Child = vbFalse,
            .Style_Overlapped = vbFalse,
            .Style_Popup = vbFalse,
            .Style_Type = "",
            .hCallbackProc = 0,
            .ShowErrors = vbTrue};
}

}  // namespace

void frmMain::OpenAndPlay(SoundChannel& channel) {
    std::string name;
    Guarded([&] { name = channel.List.FileName(); });
    if (name.empty() || !channel.Accepts(name)) return;
    std::string folder;
    Guarded([&] { folder = channel.List.Path(); });
    Start(channel, folder, name);
}

void frmMain::Start(SoundChannel& channel, const std::string& folder, const std::string& name) {
    ShowHourglass();
    Guarded([&] { Mci().MCI_Stop(channel.Alias, SilentNow); });
    Guarded([&] { Mci().MCI_Close(channel.Alias, SilentWaiting); });
    channel.Flags.Playing = vbFalse;
    channel.Flags.Paused = vbFalse;
    ShowPausePicture(channel, imgNormal);
    // Always one "\", also after a drive root's own: "C:\\SONG.MID".
    const std::string path = folder + "\\" + name;
    Guarded([&] { Mci().MCI_Open(channel.Alias, OpenFile(channel.DeviceType, path)); });
    Guarded([&] { Mci().MCI_Play(channel.Alias, PlayFromStart(vbTrue)); });
    channel.Flags.Playing = vbTrue;
    latest_ = {&channel, path, name, latest_.number + 1};
    RestoreCursor();
    Changed();
}

void frmMain::PlayClick(SoundChannel& channel) {
    Guarded([&] { channel.List.SetFocus(); });
    ShowHourglass();
    if (channel.Flags.Playing == vbFalse) {
        OpenAndPlay(channel);
    } else if (IsTrue(channel.Flags.Paused)) {
        ResumeOrPlay(channel);
    } else {
        Guarded([&] { Mci().MCI_Stop(channel.Alias, SilentNow); });
        Guarded([&] { Mci().MCI_SeekBeginning(channel.Alias, SilentWaiting); });
        Guarded([&] {
            if (IsTrue(Mci().MCI_Play(channel.Alias, PlayFromStart(vbFalse)))) {
                channel.Flags.Paused = vbFalse;
                ShowPausePicture(channel, imgNormal);
            }
        });
    }
    RestoreCursor();
    Changed();
}

void frmMain::PauseClick(SoundChannel& channel) {
    Guarded([&] { channel.List.SetFocus(); });
    ShowHourglass();
    if (IsTrue(channel.Flags.Playing)) {
        if (IsTrue(channel.Flags.Paused)) {
            ResumeOrPlay(channel);
        } else {
            Guarded([&] {
                if (IsTrue(Mci().MCI_Pause(channel.Alias, SilentNow))) {
                    channel.Flags.Paused = vbTrue;
                    ShowPausePicture(channel, imgPaused);
                }
            });
        }
    }
    RestoreCursor();
    Changed();
}

void frmMain::StopClick(SoundChannel& channel) {
    Guarded([&] { channel.List.SetFocus(); });
    ShowHourglass();
    if (IsTrue(channel.Flags.Playing)) {
        Guarded([&] { Mci().MCI_Stop(channel.Alias, SilentNow); });
        Guarded([&] { Mci().MCI_Close(channel.Alias, SilentWaiting); });
        ShowPausePicture(channel, imgNormal);
    }
    channel.Flags.Paused = vbFalse;
    channel.Flags.Playing = vbFalse;
    RestoreCursor();
    Changed();
}

void frmMain::ListKeyUp(SoundChannel& channel, std::int16_t KeyCode, std::int16_t) {
    switch (KeyCode) {
        case vbKeyReturn:
        case vbKeyUp:
        case vbKeyDown:
            OpenAndPlay(channel);
            break;
        case vbKeyF5:
            channel.List.Refresh();
            break;
        default:
            break;
    }
}

// A paused channel resumes; when the device refuses, a plain play is tried instead.
void frmMain::ResumeOrPlay(SoundChannel& channel) {
    Boolean restarted = vbFalse;
    Guarded([&] { restarted = Mci().MCI_Resume(channel.Alias, SilentNow); });
    if (!IsTrue(restarted)) {
        Guarded([&] { restarted = Mci().MCI_Play(channel.Alias, PlayFromStart(vbFalse)); });
    }
    if (IsTrue(restarted)) {
        channel.Flags.Paused = vbFalse;
        ShowPausePicture(channel, imgNormal);
    }
}

void frmMain::ShowPausePicture(SoundChannel& channel, const Image& image) {
    Guarded([&] { channel.PauseButton.Picture(image.Picture()); });
}

void frmMain::ShowHourglass() {
    Guarded([&] { MousePointer(vbHourglass); });
    Guarded([&] { Screen::MousePointer(vbHourglass); });
}

void frmMain::RestoreCursor() {
    Guarded([&] { MousePointer(vbDefault); });
    Guarded([&] { Screen::MousePointer(vbDefault); });
}

cMCI_Adv& frmMain::Mci() {
    if (!mci_) throw RuntimeError(91, "Object variable or With block variable not set");
    return *mci_;
}
