#include "main_window/desktop_session.h"

#include "main_window/frm_main.h"

DesktopSession::DesktopSession(frmMain& form)
    : form_(form),
      claim_(kApplicationId, [&form](const auto& files) { form.OpenFiles(files); },
             [&form] { form.BringBack(); }) {
    if (claim_.AnotherWindowHasIt()) return;
    player_.emplace("corvala", "Corvala", kApplicationId,
                    desktop_bus::PlayerHandlers{
                        .raise = [&form] { form.BringBack(); },
                        .quit = [&form] { form.Exit(); },
                        .play = [&form] { form.PlayLatest(); },
                        .pause = [&form] { form.PauseLatest(); },
                        .playPause = [&form] { form.PlayPauseLatest(); },
                        .stop = [&form] { form.StopLatest(); },
                        .openFiles = [&form](const auto& files) { form.OpenFiles(files); },
                        .state = [&form] { return form.LatestState(); },
                    });
    form.ChannelChanged = [this] { player_->StateMayHaveChanged(); };
}

DesktopSession::~DesktopSession() {
    form_.ChannelChanged = nullptr;
}
