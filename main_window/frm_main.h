#pragma once
// frmMain: the program's window. Drive and directory lists at the left, the MIDI and WAVE file
// lists with their Play, Pause and Stop buttons in the middle, the volume frame at the right.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main_window/sound_channel.h"
#include "platform/desktop_bus.h"
#include "platform/toolkit.h"

class cMCI_Adv;
class cSysTray;

class frmMain : public Form {
  public:
    frmMain();
    ~frmMain() override;

    const ChannelFlags& MIDIFlags() const { return midi_.Flags; }
    const ChannelFlags& WAVEFlags() const { return wave_.Flags; }

    // What the command line, a later start and the desktop's player controls ask of the window
    // (frm_main_desktop.cpp). Each goes through the window's own handlers; the player controls
    // act on the channel that started last.
    void OpenFiles(const std::vector<std::string>& linuxPaths);
    void BringBack() { SysTray_LeftClick(1); }
    void Exit() { mnuFileExit_Click(); }
    void PlayLatest();
    void PauseLatest();
    void PlayPauseLatest();
    void StopLatest();
    desktop_bus::PlayerState LatestState();
    // Raised after a channel was started, paused, resumed or stopped.
    std::function<void()> ChannelChanged;

    Line Line1{*this};
    Line Line16{*this};
    Label Label3{*this};
    DriveListBox Drive1{*this};
    DirListBox Directory1{*this};
    Label Label1{*this};
    CommandButton cmdMIDI_Play{*this};
    CommandButton cmdMIDI_Pause{*this};
    CommandButton cmdMIDI_Stop{*this};
    FileListBox MIDIs{*this};
    Label Label2{*this};
    CommandButton cmdWAVE_Play{*this};
    CommandButton cmdWAVE_Pause{*this};
    CommandButton cmdWAVE_Stop{*this};
    FileListBox WAVEs{*this};
    Frame Frame1{*this};
    Line Line2{Frame1}, Line3{Frame1}, Line4{Frame1}, Line5{Frame1}, Line6{Frame1}, Line7{Frame1},
        Line8{Frame1}, Line9{Frame1}, Line10{Frame1}, Line11{Frame1}, Line12{Frame1},
        Line13{Frame1}, Line14{Frame1}, Line15{Frame1};
    VScrollBar vsVolume{Frame1};
    Image imgNormal{*this};
    Image imgPaused{*this};

    Menu mnuFile{*this, " &File"};
    Menu mnuFileOpen{mnuFile, "&Open Directory    ", "Ctrl+O"};
    Menu mnuFileBlank{mnuFile, "-"};
    Menu mnuFileExit{mnuFile, "E&xit", "Ctrl+X"};
    Menu mnuOptions{*this, " &Options"};
    Menu mnuOptionsTop{mnuOptions, "&Always On Top    ", "F2"};
    Menu mnuOptionsMin{mnuOptions, "&Show In Taskbar On Minimize   ", "F3"};
    Menu mnuSounds{*this, " &Sounds"};
    Menu mnuSoundsRefresh{mnuSounds, "&Refresh Lists    ", "F5"};
    Menu mnuSoundsBlank{mnuSounds, "-"};
    Menu mnuSoundsMIDIPlay{mnuSounds, "Play &MIDI"};
    Menu mnuSoundsMIDIPause{mnuSounds, "Pause M&IDI"};
    Menu mnuSoundsMIDIStop{mnuSounds, "Stop MI&DI"};
    Menu mnuSoundsBlank1{mnuSounds, "-"};
    Menu mnuSoundsWAVEPlay{mnuSounds, "Play &WAVE"};
    Menu mnuSoundsWAVEPause{mnuSounds, "Pause W&AVE"};
    Menu mnuSoundsWAVEStop{mnuSounds, "Stop WA&VE"};
    Menu mnuHelp{*this, " &Help"};
    Menu mnuHelpAbout{mnuHelp, "&About     ", "F1"};
    Menu mnuPop{*this, ""};
    Menu mnuPopMIDIPlay{mnuPop, "Play &MIDI"};
    Menu mnuPopMIDIPause{mnuPop, "Pause M&IDI"};
    Menu mnuPopMIDIStop{mnuPop, "Stop MI&DI"};
    Menu mnuPopBlank{mnuPop, "-"};
    Menu mnuPopWAVEPlay{mnuPop, "Play &WAVE"};
    Menu mnuPopWAVEPause{mnuPop, "Pause W&AVE"};
    Menu mnuPopWAVEStop{mnuPop, "Stop WA&VE"};
    Menu mnuPopBlank1{mnuPop, "-"};
    Menu mnuPopAbout{mnuPop, "&About"};
    Menu mnuPopBlank2{mnuPop, "-"};
    Menu mnuPopExit{mnuPop, "E&xit"};

  private:
    // Design: places, texts and pictures of the controls, and which handler each event runs.
    void LayOutControls();
    void LayOutVolumeFrame();
    void ConnectEvents();
    void ConnectChannelEvents();

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload(std::int16_t& Cancel);
    void ApplySavedSettings();
    void SaveSettings();
    void mnuFileExit_Click();

    // Window options.
    void Form_Resize();
    void mnuOptionsTop_Click();
    void mnuOptionsMin_Click();

    // Volume slider.
    void PrepareVolumeSlider();
    void vsVolume_Change();
    void vsVolume_Scroll() { vsVolume_Change(); }

    // Sound channels.
    void MIDIs_DblClick() { OpenAndPlay(midi_); }
    void WAVEs_DblClick() { OpenAndPlay(wave_); }
    void MIDIs_KeyUp(std::int16_t KeyCode, std::int16_t Shift) { ListKeyUp(midi_, KeyCode, Shift); }
    void WAVEs_KeyUp(std::int16_t KeyCode, std::int16_t Shift) { ListKeyUp(wave_, KeyCode, Shift); }
    void cmdMIDI_Play_Click() { PlayClick(midi_); }
    void cmdWAVE_Play_Click() { PlayClick(wave_); }
    void cmdMIDI_Pause_Click() { PauseClick(midi_); }
    void cmdWAVE_Pause_Click() { PauseClick(wave_); }
    void cmdMIDI_Stop_Click() { StopClick(midi_); }
    void cmdWAVE_Stop_Click() { StopClick(wave_); }
    void mnuSoundsMIDIPlay_Click() { cmdMIDI_Play_Click(); }
    void mnuSoundsMIDIPause_Click() { cmdMIDI_Pause_Click(); }
    void mnuSoundsMIDIStop_Click() { cmdMIDI_Stop_Click(); }
    void mnuSoundsWAVEPlay_Click() { cmdWAVE_Play_Click(); }
    void mnuSoundsWAVEPause_Click() { cmdWAVE_Pause_Click(); }
    void mnuSoundsWAVEStop_Click() { cmdWAVE_Stop_Click(); }

    void OpenAndPlay(SoundChannel& channel);
    void Start(SoundChannel& channel, const std::string& folder, const std::string& name);
    void OpenNamedFile(const std::string& linuxPath);
    void Changed() const;
    void PlayClick(SoundChannel& channel);
    void PauseClick(SoundChannel& channel);
    void StopClick(SoundChannel& channel);
    void ListKeyUp(SoundChannel& channel, std::int16_t KeyCode, std::int16_t Shift);
    void ResumeOrPlay(SoundChannel& channel);
    void ShowPausePicture(SoundChannel& channel, const Image& image);
    void ShowHourglass();
    void RestoreCursor();
    cMCI_Adv& Mci();

    // The tray icon, its popup menu and the About command.
    void ConnectTrayEvents();
    void CreateTrayIcon();
    void RemoveTrayIcon();
    void SysTray_LeftClick(std::int32_t IconID);
    void SysTray_RightClick(std::int32_t IconID);
    void mnuHelpAbout_Click();
    void mnuPopMIDIPlay_Click() { mnuSoundsMIDIPlay_Click(); }
    void mnuPopMIDIPause_Click() { mnuSoundsMIDIPause_Click(); }
    void mnuPopMIDIStop_Click() { mnuSoundsMIDIStop_Click(); }
    void mnuPopWAVEPlay_Click() { mnuSoundsWAVEPlay_Click(); }
    void mnuPopWAVEPause_Click() { mnuSoundsWAVEPause_Click(); }
    void mnuPopWAVEStop_Click() { mnuSoundsWAVEStop_Click(); }
    void mnuPopAbout_Click() { mnuHelpAbout_Click(); }
    void mnuPopExit_Click() { mnuFileExit_Click(); }

    // Browsing drives and folders.
    void Drive1_Change();
    void Directory1_Change();
    void Directory1_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void mnuSoundsRefresh_Click();
    void mnuFileOpen_Click();
    void RefreshAllLists();
    void ShowFolder(const std::string& folderPath);

    SoundChannel midi_{"MIDI", 3, {".MID", ".RMI"}, MIDIs, cmdMIDI_Pause, {}};
    SoundChannel wave_{"WAVE", 4, {".WAV"}, WAVEs, cmdWAVE_Pause, {}};
    std::unique_ptr<cMCI_Adv> mci_;
    // The channel that started last, with the file and the count of starts that name the track.
    struct Started {
        SoundChannel* channel = nullptr;
        std::string path, name;
        int number = 0;
    } latest_;
    std::string StartDrive;
    Boolean Reverting = vbFalse;
    Boolean bShowMin = vbFalse;
    // Last, so it goes first: its termination lets pending events run, which may reach any
    // handler of the window.
    std::shared_ptr<cSysTray> SysTray;
};
