// corvala in a desktop session, run under its own session bus: the command line, one window per
// session, and the player controls (MPRIS) driven through the bus with gdbus.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>

#include "tests/process/child_process.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace std::chrono_literals;
using test_support::ChildProcess;
using test_support::Eventually;
using testing::HasSubstr;

// What the shell command writes on its standard output, and how it ended.
std::pair<std::string, int> RunShell(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    return {output, pipe ? pclose(pipe) : -1};
}

class DesktopTest : public testing::Test {
  protected:
    std::map<std::string, std::string> Environment() const {
        return test_support::HeadlessEnvironment(home.path());
    }

    static std::string Player(const std::string& call) {
        return RunShell("gdbus call --session --dest org.mpris.MediaPlayer2.corvala --object-path "
                   "/org/mpris/MediaPlayer2 --method " + call + " 2>&1").first;
    }
    static std::string Property(const std::string& name) {
        return Player("org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player " + name);
    }

    test_support::TempFolder home;
};

// Without a display and without a session bus, as from a text console.
TEST_F(DesktopTest, TheCommandLineIsAnsweredWithoutAWindow) {
    const struct {
        std::string arguments;
        int status;
        std::string out, err;
    } rows[] = {
        {"--help", 0, "--soundfont FILE", ""},
        {"--version", 0, "corvala ", ""},
        {"--bogus", 2, "", "Usage: corvala"},
        {"--soundfont", 2, "", "Usage: corvala"},
        {"song.mid", 1, "", "no display"},
    };
    for (const auto& row : rows) {
        const auto [out, status] = RunShell(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS "
            "XDG_RUNTIME_DIR=" + home.path().string() + " " CORVALA_PATH " " + row.arguments +
            " 2>" + (home.path() / "err").string());
        const std::string err = home.Read("err");
        EXPECT_EQ(WEXITSTATUS(status), row.status) << row.arguments;
        EXPECT_THAT(out, HasSubstr(row.out)) << row.arguments;
        EXPECT_THAT(err, HasSubstr(row.err)) << row.arguments;
        EXPECT_TRUE(row.status != 1 || std::ranges::count(err, '\n') == 1) << err;
    }
}

TEST_F(DesktopTest, OneWindowTakesEveryStartAndTheKeysFollowTheLatestChannel) {
    const auto song = home.Write("music/song.mid", sound_files::NoteSong(120));
    const auto sound = home.Write("music/sound.wav", sound_files::ToneWave(60000, 8000));
    ChildProcess window({CORVALA_PATH, song.string()}, Environment());
    const auto status = [](const std::string& expected) {
        return Eventually([&] { return Property("PlaybackStatus").find(expected) != std::string::npos; },
                          20s);
    };
    ASSERT_TRUE(status("'Playing'"));
    EXPECT_THAT(Property("Metadata"), HasSubstr("'xesam:title': <'song.mid'>"));

    ChildProcess changes(
        {"/bin/sh", "-c", "exec gdbus monitor --session --dest org.mpris.MediaPlayer2.corvala"}, {});
    const struct {
        std::string method, status;
    } presses[] = {{"Pause", "'Paused'"}, {"Play", "'Playing'"}, {"PlayPause", "'Paused'"},
                   {"PlayPause", "'Playing'"}};
    for (const auto& press : presses) {
        Player("org.mpris.MediaPlayer2.Player." + press.method);
        EXPECT_TRUE(status(press.status)) << press.method;
    }
    std::string seen;
    EXPECT_TRUE(Eventually([&] {
        seen += changes.ReadLine(100ms).value_or("");
        return seen.find("PropertiesChanged") != std::string::npos &&
               seen.find("'Paused'") != std::string::npos;
    }, 20s)) << seen;

    for (const auto& later : {std::vector<std::string>{CORVALA_PATH, sound.string()},
                              std::vector<std::string>{CORVALA_PATH}}) {
        ChildProcess second(later, Environment());
        EXPECT_EQ(second.WaitForExit(20s), 0);
    }
    EXPECT_TRUE(Eventually(
        [&] { return Property("Metadata").find("<'sound.wav'>") != std::string::npos; }, 20s));
    Player("org.mpris.MediaPlayer2.Player.Pause");
    EXPECT_TRUE(status("'Paused'"));
    // A sound that ends by itself is reported stopped.
    seen.clear();
    ChildProcess({CORVALA_PATH, home.Write("music/short.wav", sound_files::ToneWave(300)).string()},
                 Environment()).WaitForExit(20s);
    EXPECT_TRUE(Eventually([&] {
        seen += changes.ReadLine(100ms).value_or("");
        return seen.find("'short.wav'") != std::string::npos &&
               seen.find("'Stopped'", seen.find("'short.wav'")) != std::string::npos;
    }, 20s)) << seen;

    Player("org.mpris.MediaPlayer2.Quit");
    EXPECT_EQ(window.WaitForExit(20s), 0);
}

}  // namespace
