// The window as designed: every control's place (in twips), text and picture, the menu states,
// and which handler each event runs. No handler moves or resizes a control afterwards.
#include "main_window/frm_main.h"
#include "media/cmci_adv.h"
#include "tray/c_sys_tray.h"

namespace {

void UseCaptionFont(Label& label) {
    label.FontName("MS Sans Serif");
    label.FontSize(8.25);
    label.FontBold(vbTrue);
}

void PlaceLabel(Label& label, const std::string& caption, std::int32_t left, std::int32_t top,
                std::int32_t width, std::int16_t tabIndex) {
    label.Caption(caption);
    UseCaptionFont(label);
    label.Move(left, top, width, 195);
    label.TabIndex(tabIndex);
}

void PlaceButton(CommandButton& button, const Picture& picture, std::int32_t left, std::int32_t top,
                 std::int16_t tabIndex, const std::string& spokenName) {
    button.Picture(picture);
    button.AccessibleName(spokenName);
    button.Move(left, top, 300, 300);
    button.TabIndex(tabIndex);
}

void PlaceFileList(FileListBox& list, const std::string& pattern, std::int32_t top,
                   std::int16_t tabIndex, const std::string& spokenName) {
    list.Pattern(pattern);
    list.AccessibleName(spokenName);
    list.Move(3675, top, 3060, 2040);
    list.TabIndex(tabIndex);
}

}  // namespace

frmMain::frmMain() {
    Caption("  Corvala");
    Icon(Picture::FromResources({":/pictures/corvala16.xpm", ":/pictures/corvala32.xpm"}));
    ClientSize(7890, 5055);
    LayOutControls();
    LayOutVolumeFrame();
    mnuOptionsTop.Checked(vbTrue);
    mnuPop.Visible(vbFalse);
    ConnectEvents();
    ConnectChannelEvents();
    ConnectTrayEvents();
}

frmMain::~frmMain() = default;

void frmMain::LayOutControls() {
    // Shadow over highlight: an etched edge under the menu bar.
    Line1.Coordinates(-15, 0, 65500, 0);
    Line1.BorderColor(vbButtonShadow);
    Line16.Coordinates(-15, 15, 65500, 15);
    Line16.BorderColor(vb3DHighlight);

    PlaceLabel(Label3, "File Location :", 105, 210, 1230, 13);
    Drive1.Move(105, 435, 3480, 315);
    Drive1.TabIndex(0);
    Drive1.AccessibleName("Drives");
    Directory1.Move(105, 800, 3480, 4140);
    Directory1.TabIndex(1);
    Directory1.AccessibleName("Folders");

    imgNormal.Picture(Picture::FromResource(":/pictures/pause.xpm"));
    imgNormal.Move(7875, 105, 240, 240);
    imgNormal.Visible(vbFalse);
    imgPaused.Picture(Picture::FromResource(":/pictures/paused.xpm"));
    imgPaused.Move(7875, 420, 240, 240);
    imgPaused.Visible(vbFalse);

    const Picture play = Picture::FromResource(":/pictures/play.xpm");
    const Picture stop = Picture::FromResource(":/pictures/stop.xpm");
    PlaceLabel(Label1, "MIDI Files :", 3675, 210, 990, 9);
    PlaceButton(cmdMIDI_Play, play, 5670, 105, 3, "Play song");
    PlaceButton(cmdMIDI_Pause, imgNormal.Picture(), 6030, 105, 4, "Pause song");
    PlaceButton(cmdMIDI_Stop, stop, 6405, 105, 5, "Stop song");
    PlaceFileList(MIDIs, "*.mid;*.rmi", 420, 2, "MIDI songs");

    PlaceLabel(Label2, "WAVE Files :", 3675, 2700, 1125, 10);
    PlaceButton(cmdWAVE_Play, play, 5670, 2595, 7, "Play sound");
    PlaceButton(cmdWAVE_Pause, imgNormal.Picture(), 6030, 2595, 14, "Pause sound");
    PlaceButton(cmdWAVE_Stop, stop, 6405, 2595, 8, "Stop sound");
    PlaceFileList(WAVEs, "*.wav", 2910, 6, "WAVE sounds");
}

void frmMain::LayOutVolumeFrame() {
    Frame1.Move(6825, 350, 930, 4585);
    Frame1.TabIndex(11);
    // Tick marks of the volume scale, every 315 twips behind the slider.
    Line* const ticks[] = {&Line2, &Line3,  &Line4,  &Line5,  &Line6,  &Line7,  &Line8,
                           &Line9, &Line10, &Line11, &Line12, &Line13, &Line14, &Line15};
    std::int32_t y = 315;
    for (Line* tick : ticks) {
        tick->Coordinates(210, y, 715, y);
        tick->BorderColor(vbButtonShadow);
        y += 315;
    }
    vsVolume.Move(330, 330, 255, 4080);
    vsVolume.TabIndex(12);
    vsVolume.AccessibleName("Volume");
}

void frmMain::ConnectEvents() {
    Load = [this] { Form_Load(); };
    Unload = [this](std::int16_t& Cancel) { Form_Unload(Cancel); };
    Resize = [this] { Form_Resize(); };
    KeyDown = [this](std::int16_t KeyCode, std::int16_t Shift) { Form_KeyDown(KeyCode, Shift); };
    Drive1.Change = [this] { Drive1_Change(); };
    Directory1.Change = [this] { Directory1_Change(); };
    Directory1.KeyDown = [this](std::int16_t KeyCode, std::int16_t Shift) {
        Directory1_KeyDown(KeyCode, Shift);
    };
    mnuFileOpen.Click = [this] { mnuFileOpen_Click(); };
    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
    mnuOptionsTop.Click = [this] { mnuOptionsTop_Click(); };
    mnuOptionsMin.Click = [this] { mnuOptionsMin_Click(); };
    vsVolume.Change = [this] { vsVolume_Change(); };
    vsVolume.Scroll = [this] { vsVolume_Scroll(); };
    mnuSoundsRefresh.Click = [this] { mnuSoundsRefresh_Click(); };
}

void frmMain::ConnectChannelEvents() {
    MIDIs.DblClick = [this] { MIDIs_DblClick(); };
    WAVEs.DblClick = [this] { WAVEs_DblClick(); };
    MIDIs.KeyUp = [this](std::int16_t KeyCode, std::int16_t Shift) { MIDIs_KeyUp(KeyCode, Shift); };
    WAVEs.KeyUp = [this](std::int16_t KeyCode, std::int16_t Shift) { WAVEs_KeyUp(KeyCode, Shift); };
    cmdMIDI_Play.Click = [this] { cmdMIDI_Play_Click(); };
    cmdMIDI_Pause.Click = [this] { cmdMIDI_Pause_Click(); };
    cmdMIDI_Stop.Click = [this] { cmdMIDI_Stop_Click(); };
    cmdWAVE_Play.Click = [this] { cmdWAVE_Play_Click(); };
    cmdWAVE_Pause.Click = [this] { cmdWAVE_Pause_Click(); };
    cmdWAVE_Stop.Click = [this] { cmdWAVE_Stop_Click(); };
    mnuSoundsMIDIPlay.Click = [this] { mnuSoundsMIDIPlay_Click(); };
    mnuSoundsMIDIPause.Click = [this] { mnuSoundsMIDIPause_Click(); };
    mnuSoundsMIDIStop.Click = [this] { mnuSoundsMIDIStop_Click(); };
    mnuSoundsWAVEPlay.Click = [this] { mnuSoundsWAVEPlay_Click(); };
    mnuSoundsWAVEPause.Click = [this] { mnuSoundsWAVEPause_Click(); };
    mnuSoundsWAVEStop.Click = [this] { mnuSoundsWAVEStop_Click(); };
}
