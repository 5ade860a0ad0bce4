// A Wayland session runs the program under XWayland where there is one, so that Always On Top
// and centring work; a platform the user named is kept.
#include "platform/toolkit/window_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace {

using Session = std::map<std::string, std::string>;

TEST(WindowSystem, WaylandWithXWaylandRunsOnX11) {
    const std::pair<Session, bool> cases[] = {
        {{{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}, true},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, true},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {{{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, false},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, false},
        {{}, false},
    };
    std::map<std::string, std::optional<std::string>> saved;
    for (const char* name : {"XDG_SESSION_TYPE", "WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"})
        saved[name] = std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt;
    for (const auto& [session, xwayland] : cases) {
        for (const auto& [name, value] : saved) unsetenv(name.c_str());
        for (const auto& [name, value] : session) setenv(name.c_str(), value.c_str(), 1);
        EXPECT_EQ(toolkit::UseXWayland(), xwayland) << testing::PrintToString(session);
    }
    for (const auto& [name, value] : saved)
        value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
}

}  // namespace
