// The window as the desktop reaches it: files named on a command line or handed over by a later
// start are opened as if the user had browsed to their folder and double-clicked them, and the
// player controls (media keys, panels) press the Play, Pause and Stop of the channel that
// started last, so the window, the tray and the keys always agree.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "main_window/frm_main.h"
#include "main_window/guarded.h"
#include "media/cmci_adv.h"
#include "platform/drives.h"

void frmMain::OpenFiles(const std::vector<std::string>& linuxPaths) {
    for (const auto& path : linuxPaths) OpenNamedFile(path);
}

// The channel is chosen by the file's extension. A file that is gone or unreadable reaches the
// media service all the same, whose error box is the one a double-click gets.
void frmMain::OpenNamedFile(const std::string& linuxPath) {
    const std::filesystem::path file(linuxPath);
    const std::string name = file.filename().string();
    SoundChannel* channel = midi_.Accepts(name) ? &midi_ : wave_.Accepts(name) ? &wave_ : nullptr;
    if (!channel) {
        std::fprintf(stderr, "corvala: %s is neither a MIDI song nor a WAVE sound\n",
                     linuxPath.c_str());
        return;
    }
    const std::string folder = drives::ToWindows(file.parent_path());
    std::string shown;
    Guarded([&] { shown = Directory1.Path(); });
    if (UCase(shown) != UCase(folder)) ShowFolder(folder);  // a re-read would lose the selections
    Guarded([&] {
        for (std::int16_t i = 0; i < channel->List.ListCount(); ++i) {
            if (channel->List.List(i) == name) channel->List.ListIndex(i);
        }
    });
    Start(*channel, folder, name);
}

void frmMain::Changed() const {
    if (ChannelChanged) ChannelChanged();
}

void frmMain::PlayLatest() {
    if (!latest_.channel) return;
    const auto status = LatestState().status;
    if (status != desktop_bus::PlayerState::Status::Playing) PlayClick(*latest_.channel);
}

void frmMain::PauseLatest() {
    if (!latest_.channel) return;
    if (LatestState().status == desktop_bus::PlayerState::Status::Playing) {
        PauseClick(*latest_.channel);
    }
}

void frmMain::PlayPauseLatest() {
    if (!latest_.channel) return;
    if (LatestState().status == desktop_bus::PlayerState::Status::Playing) {
        PauseClick(*latest_.channel);
    } else {
        PlayClick(*latest_.channel);
    }
}

void frmMain::StopLatest() {
    if (latest_.channel) StopClick(*latest_.channel);
}

// A channel whose file ended by itself still counts as playing in its flags; the device's mode
// tells it apart.
desktop_bus::PlayerState frmMain::LatestState() {
    desktop_bus::PlayerState state;
    if (!latest_.channel) return state;
    const SoundChannel& channel = *latest_.channel;
    state.trackId = "/org/corvala/Corvala/track/" + std::to_string(latest_.number);
    state.title = latest_.name;
    state.path = drives::Resolve(latest_.path).value_or(latest_.path).string();
    if (!IsTrue(channel.Flags.Playing)) return state;
    std::string mode, length, position;
    Guarded([&] {
        Mci().MCI_Status(channel.Alias, "mode", mode);
        Mci().MCI_Status(channel.Alias, "length", length);
        Mci().MCI_Status(channel.Alias, "position", position);
    });
    const auto micro = [](const std::string& ms) { return std::atoll(ms.c_str()) * 1000; };
    state.lengthUs = micro(length);
    state.positionUs = micro(position);
    if (IsTrue(channel.Flags.Paused)) {
        state.status = desktop_bus::PlayerState::Status::Paused;
    } else if (mode == "playing") {
        state.status = desktop_bus::PlayerState::Status::Playing;
    }
    return state;
}
