// corvala under a session bus of its own: the command line, one window per session, MPRIS via
// gdbus.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/process/child_process.h"
#include "tests/support/eventually.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace std::chrono_literals;
using test_support::ChildProcess;
using test_support::Eventually;
using test_support::Headless;
using testing::HasSubstr;

// What the shell command writes on its standard output, and how it ended.
std::pair<std::string, int> RunShell(const std::string& command) {
    QProcess shell;
    shell.start("/bin/sh", {"-c", QString::fromStdString(command)});
    shell.waitForFinished(-1);
    return {shell.readAllStandardOutput().toStdString(), shell.exitCode()};
}

std::string Player(const std::string& call) {
    return RunShell(
               "gdbus call --session --dest org.mpris.MediaPlayer2.corvala --object-path "
               "/org/mpris/MediaPlayer2 --method " +
               call + " 2>&1")
        .first;
}

std::string Property(const std::string& name) {
    return Player("org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player " + name);
}

bool PlayerShows(const std::string& property, const std::string& text) {
    return Eventually([&] { return Property(property).find(text) != std::string::npos; }, 20s);
}

// Without a display and without a session bus, as from a text console.
TEST(Desktop, TheCommandLineIsAnsweredWithoutAWindow) {
    test_support::TempFolder home;
    const struct {
        std::string arguments;
        int status;
        std::string out, err;
    } rows[] = {
        {"--help", 0, "--soundfont FILE", ""}, {"--version", 0, "corvala ", ""},
        {"--bogus", 2, "", "Usage: corvala"},  {"--soundfont", 2, "", "Usage: corvala"},
        {"song.mid", 1, "", "no display"},
    };
    for (const auto& row : rows) {
        const auto [out, status] = RunShell(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS "
            "XDG_RUNTIME_DIR=" +
            home.path().string() + " " CORVALA_PATH " " + row.arguments + " 2>" +
            (home.path() / "err").string());
        const std::string err = home.Read("err");
        EXPECT_EQ(status, row.status) << row.arguments;
        EXPECT_THAT(out, HasSubstr(row.out)) << row.arguments;
        EXPECT_THAT(err, HasSubstr(row.err)) << row.arguments;
        EXPECT_TRUE(row.status != 1 || std::ranges::count(err, '\n') == 1) << err;
    }
}

TEST(Desktop, OneWindowTakesEveryStartAndTheKeysFollowTheLatestChannel) {
    test_support::TempFolder home;
    const auto song = home.Write("music/song.mid", sound_files::NoteSong(120));
    const auto sound = home.Write("music/sound.wav", sound_files::ToneWave(60000, 8000));
    ChildProcess window(Headless(home.path(), {CORVALA_PATH, song.string()}));
    ASSERT_TRUE(PlayerShows("PlaybackStatus", "'Playing'"));
    EXPECT_THAT(Property("Metadata"), HasSubstr("'xesam:title': <'song.mid'>"));

    ChildProcess changes({"/usr/bin/env", "gdbus", "monitor", "--session", "--dest",
                          "org.mpris.MediaPlayer2.corvala"});
    std::string seen;
    const auto changesShow = [&](const std::string& first, const std::string& then) {
        return Eventually(
            [&] {
                seen += changes.ReadLine(100ms).value_or("");
                return seen.find(first) != std::string::npos &&
                       seen.find(then, seen.find(first)) != std::string::npos;
            },
            20s);
    };
    for (const auto& [method, status] : {std::pair{"Pause", "'Paused'"},
                                         {"Play", "'Playing'"},
                                         {"PlayPause", "'Paused'"},
                                         {"PlayPause", "'Playing'"}}) {
        Player(std::string("org.mpris.MediaPlayer2.Player.") + method);
        EXPECT_TRUE(PlayerShows("PlaybackStatus", status)) << method;
    }
    EXPECT_TRUE(changesShow("PropertiesChanged", "'Paused'")) << seen;

    for (const auto& later : {std::vector<std::string>{CORVALA_PATH, sound.string()},
                              std::vector<std::string>{CORVALA_PATH}}) {
        ChildProcess second(Headless(home.path(), later));
        EXPECT_EQ(second.WaitForExit(20s), 0);
    }
    EXPECT_TRUE(PlayerShows("Metadata", "<'sound.wav'>"));
    Player("org.mpris.MediaPlayer2.Player.Pause");
    EXPECT_TRUE(PlayerShows("PlaybackStatus", "'Paused'"));
    // A sound that ends by itself is reported stopped.
    seen.clear();
    const auto shortSound = home.Write("music/short.wav", sound_files::ToneWave(300));
    ChildProcess(Headless(home.path(), {CORVALA_PATH, shortSound.string()})).WaitForExit(20s);
    EXPECT_TRUE(changesShow("'short.wav'", "'Stopped'")) << seen;

    Player("org.mpris.MediaPlayer2.Quit");
    EXPECT_EQ(window.WaitForExit(20s), 0);
}

}  // namespace
