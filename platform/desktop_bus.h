#pragma once
// The session bus as the desktop uses it: one window per user session, and the player controls
// (MPRIS) that media keys and desktop panels drive. The bus is carried here; what each call
// does is the program's choice, given as handlers. Without a session bus nothing is offered and
// every start is a window of its own.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace desktop_bus {

// Before the window exists: when a window of `application` already runs in this session, it is
// handed the files (absolute paths), or asked to come forward when there are none, and true is
// returned. False when no such window or no session bus is there.
bool HandToRunningWindow(const std::string& application, const std::vector<std::string>& files);

// Claims `application` for this window and serves the files later starts hand over. The claim
// fails when another window took the name first; the caller then hands
// its files over instead.
class WindowClaim {
  public:
    WindowClaim(const std::string& application,
                std::function<void(const std::vector<std::string>&)> openFiles,
                std::function<void()> raise);
    ~WindowClaim();
    WindowClaim(const WindowClaim&) = delete;
    WindowClaim& operator=(const WindowClaim&) = delete;

    bool AnotherWindowHasIt() const;

  private:
    struct Service;
    std::unique_ptr<Service> service_;
};

struct PlayerState {
    enum class Status { Stopped, Playing, Paused };
    Status status = Status::Stopped;
    std::string trackId;  // a D-Bus object path naming this start of this file; empty: no track
    std::string title;
    std::string path;            // the file, a Linux path
    std::int64_t lengthUs = 0;   // microseconds
    std::int64_t positionUs = 0;
};

struct PlayerHandlers {
    std::function<void()> raise, quit, play, pause, playPause, stop;
    std::function<void(const std::vector<std::string>&)> openFiles;  // OpenUri's local file
    std::function<PlayerState()> state;
};

// Registers org.mpris.MediaPlayer2.NAME with the root and Player interfaces.
class MediaPlayer {
  public:
    MediaPlayer(const std::string& name, const std::string& identity,
                const std::string& desktopEntry, PlayerHandlers handlers);
    ~MediaPlayer();
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    // Reads the state again and tells the bus which properties changed.
    void StateMayHaveChanged();

  private:
    struct Service;
    std::unique_ptr<Service> service_;
};

}  // namespace desktop_bus
