// SIGTERM, SIGINT and SIGHUP end both programs the way their own exit does, with status 0, never
// killed on the spot; Corvala first writes back every setting as it was left.
#include <gmock/gmock.h>
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
using test_support::ChildProcess;

const std::vector<int> kTerminationSignals = {SIGTERM, SIGINT, SIGHUP};

class TerminationTest : public testing::Test {
  protected:
    TerminationTest() {
        home.MakeFolder("music/older");
        // An ALSA without cards, so the slider's level stays inside the program.
        std::ofstream(home.path() / "asound.conf") << "";
    }

    // Starts Corvala, sends the signal once it can take it, and gives its exit status; the
    // bound only catches a hang.
    std::optional<int> RunCorvalaUntil(int signalNumber) {
        ChildProcess corvala(test_support::Headless(
            home.path(), {"ALSA_CONFIG_PATH=" + (home.path() / "asound.conf").string(), CORVALA_PATH}));
        EXPECT_TRUE(test_support::Eventually(
            [&] { return corvala.CatchesSignals(kTerminationSignals); }, 20s));
        kill(corvala.Pid(), signalNumber);
        return corvala.WaitForExit(20s);
    }
    static std::string Stored(const char* key) {
        return GetSetting("Corvala", "Settings", key, "<missing>");
    }

    test_support::TempFolder home;
    test_support::ScopedSettingsFolder settings{home.path() / ".config"};
};

class EachSignal : public TerminationTest, public testing::WithParamInterface<int> {};

TEST_P(EachSignal, CorvalaEndsAsItsExitCommandDoesAndSavesItsSettings) {
    EXPECT_EQ(RunCorvalaUntil(GetParam()), 0);
    EXPECT_EQ(Stored("AlwaysOnTop"), "True") << "its shutdown ran and saved the settings";
}

TEST_P(EachSignal, McishellClosesItsDevicesAndEnds) {
    ChildProcess shell(test_support::Headless(home.path(), {MCISHELL_PATH, "--sink", "null"}));
    shell.WriteLine("open new type waveaudio alias R");
    const auto opened = shell.ReadLine(20s);
    ASSERT_TRUE(opened && opened->starts_with("0\t")) << opened.value_or("no answer");
    ASSERT_TRUE(shell.CatchesSignals(kTerminationSignals));
    kill(shell.Pid(), GetParam());
    EXPECT_EQ(shell.WaitForExit(20s), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, EachSignal, testing::ValuesIn(kTerminationSignals),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

TEST_F(TerminationTest, EverySettingFoundAtStartUpIsWrittenBackAsItWasLeft) {
    const std::string music = drives::ToWindows(home.path() / "music");
    const std::map<std::string, std::string> leftAs[] = {
        {{"Directory", music + "\\older"}, {"Volume", "0"}, {"AlwaysOnTop", "False"}, {"ShowMin", "True"}},
        {{"Directory", music}, {"Volume", "32767"}, {"AlwaysOnTop", "True"}, {"ShowMin", "False"}},
    };
    for (const auto& left : leftAs) {
        SaveSetting("Corvala", "Settings", "Drive", music.substr(0, 1));
        for (const auto& [key, value] : left) SaveSetting("Corvala", "Settings", key, value);
        EXPECT_EQ(RunCorvalaUntil(SIGTERM), 0);
        EXPECT_EQ(UCase(Stored("Drive").substr(0, 1)), music.substr(0, 1));
        for (const auto& [key, value] : left) EXPECT_EQ(Stored(key.c_str()), value) << key;
    }
}

}  // namespace
