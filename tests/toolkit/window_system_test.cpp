// A Wayland session runs the program under XWayland where there is one, so that Always On Top
// and centring work; a platform the user named is kept.
#include "platform/toolkit/window_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace {

// Sets exactly the given session variables, and puts them all back afterwards.
class ScopedSession {
  public:
    explicit ScopedSession(const std::map<std::string, std::string>& set) {
        for (const char* name : {"XDG_SESSION_TYPE", "WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"}) {
            const char* value = std::getenv(name);
            saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(name);
        }
        for (const auto& [name, value] : set) setenv(name.c_str(), value.c_str(), 1);
    }
    ~ScopedSession() {
        for (const auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(WindowSystem, WaylandWithXWaylandRunsOnX11) {
    const struct {
        std::map<std::string, std::string> session;
        bool xwayland;
    } cases[] = {
        {{{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}},
         true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}, true},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, true},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {{{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, false},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}},
         false},
        {{}, false},
    };
    for (const auto& c : cases) {
        const ScopedSession session(c.session);
        EXPECT_EQ(toolkit::UseXWayland(), c.xwayland) << testing::PrintToString(c.session);
    }
}

}  // namespace
