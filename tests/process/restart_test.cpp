// The real program comes back as it was left: every setting it finds at start-up is applied,
// and ending it with a signal writes them all back unchanged.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>

#include "platform/drives.h"
#include "platform/settings.h"
#include "platform/vb_types.h"
#include "tests/process/child_process.h"
#include "tests/support/settings_folder.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace std::chrono_literals;

class RestartTest : public testing::Test {
  protected:
    RestartTest() {
        home.MakeFolder("music");
        home.MakeFolder("music/older");
        // An ALSA without cards, so the slider's level stays inside the program.
        std::ofstream(home.path() / "asound.conf") << "";
    }

    // Starts Corvala, ends it with SIGTERM once it can take the signal, and waits for its end.
    void RunAndTerminate() {
        test_support::ChildProcess corvala(
            {CORVALA_PATH}, {{"QT_QPA_PLATFORM", "offscreen"},
                             {"SDL_AUDIODRIVER", "dummy"},
                             {"ALSA_CONFIG_PATH", (home.path() / "asound.conf").string()},
                             {"HOME", home.path().string()},
                             {"XDG_CONFIG_HOME", (home.path() / ".config").string()},
                             {"XDG_RUNTIME_DIR", home.path().string()}});
        ASSERT_TRUE(
            test_support::Eventually([&] { return corvala.CatchesSignals({SIGTERM}); }, 20s));
        kill(corvala.Pid(), SIGTERM);
        EXPECT_EQ(corvala.WaitForExit(10s), 0);
    }

    test_support::TempFolder home;
    test_support::ScopedSettingsFolder settings{home.path() / ".config"};
};

TEST_F(RestartTest, EverySettingSurvivesARunEndedBySigterm) {
    const std::string music = drives::ToWindows(home.path() / "music");
    const struct {
        std::string directory, volume, alwaysOnTop, showMin;
    } leftAs[] = {
        {music + "\\older", "1234", "False", "True"},
        {music, "0", "True", "False"},
        {music, "32767", "False", "False"},
    };
    for (const auto& left : leftAs) {
        const auto store = [](const char* key, const std::string& value) {
            SaveSetting("Corvala", "Settings", key, value);
        };
        store("Drive", music.substr(0, 1));
        store("Directory", left.directory);
        store("Volume", left.volume);
        store("AlwaysOnTop", left.alwaysOnTop);
        store("ShowMin", left.showMin);

        RunAndTerminate();

        const auto stored = [](const char* key) {
            return GetSetting("Corvala", "Settings", key, "<missing>");
        };
        EXPECT_EQ(UCase(stored("Drive").substr(0, 1)), music.substr(0, 1));
        EXPECT_EQ(stored("Directory"), left.directory);
        EXPECT_EQ(stored("Volume"), left.volume);
        EXPECT_EQ(stored("AlwaysOnTop"), left.alwaysOnTop);
        EXPECT_EQ(stored("ShowMin"), left.showMin);
    }
}

}  // namespace
