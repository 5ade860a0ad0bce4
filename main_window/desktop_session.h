#pragma once
// The window's place in the desktop session: it owns the session's window name, so later starts
// hand their files to it, and it offers the player controls (MPRIS) for media keys and panels.
#include <optional>

#include "platform/desktop_bus.h"

class frmMain;

inline constexpr const char* kApplicationId = "org.corvala.Corvala";

class DesktopSession {
  public:
    explicit DesktopSession(frmMain& form);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Another window claimed the session first; this start hands its files over instead.
    bool AnotherWindowHasIt() const { return claim_.AnotherWindowHasIt(); }

  private:
    frmMain& form_;
    desktop_bus::WindowClaim claim_;
    std::optional<desktop_bus::MediaPlayer> player_;
};
