// SIGTERM, SIGINT and SIGHUP end both programs the way their own exit does: promptly and with
// status 0, never killed on the spot; Corvala first writes back every setting as it was left.
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

    // Starts Corvala, sends the signal once it can take it, and gives its exit status.
    std::optional<int> RunCorvalaUntil(int signalNumber, std::chrono::milliseconds exitWithin) {
        auto environment = test_support::HeadlessEnvironment(home.path());
        environment["ALSA_CONFIG_PATH"] = (home.path() / "asound.conf").string();
        ChildProcess corvala({CORVALA_PATH}, environment);
        EXPECT_TRUE(test_support::Eventually(
            [&] { return corvala.CatchesSignals(kTerminationSignals); }, 20s));
        kill(corvala.Pid(), signalNumber);
        return corvala.WaitForExit(exitWithin);
    }
    static std::string Stored(const char* key) {
        return GetSetting("Corvala", "Settings", key, "<missing>");
    }

    test_support::TempFolder home;
    test_support::ScopedSettingsFolder settings{home.path() / ".config"};
};

class EachSignal : public TerminationTest, public testing::WithParamInterface<int> {};

TEST_P(EachSignal, CorvalaEndsAsItsExitCommandDoesAndSavesItsSettings) {
    EXPECT_EQ(RunCorvalaUntil(GetParam(), 1s), 0);
    EXPECT_EQ(Stored("AlwaysOnTop"), "True") << "its shutdown ran and saved the settings";
}

TEST_P(EachSignal, McishellClosesItsDevicesAndEnds) {
    ChildProcess shell({MCISHELL_PATH, "--sink", "null"}, test_support::HeadlessEnvironment(home.path()));
    shell.WriteLine("open new type waveaudio alias R");
    const auto opened = shell.ReadLine(20s);
    ASSERT_TRUE(opened && opened->starts_with("0\t")) << opened.value_or("no answer");
    ASSERT_TRUE(shell.CatchesSignals(kTerminationSignals));
    kill(shell.Pid(), GetParam());
    EXPECT_EQ(shell.WaitForExit(1s), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, EachSignal, testing::ValuesIn(kTerminationSignals),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

TEST_F(TerminationTest, EverySettingFoundAtStartUpIsWrittenBackAsItWasLeft) {
    const std::string music = drives::ToWindows(home.path() / "music");
    const std::map<std::string, std::string> leftAs[] = {
        {{"Directory", music + "\\older"}, {"Volume", "1234"}, {"AlwaysOnTop", "False"}, {"ShowMin", "True"}},
        {{"Directory", music}, {"Volume", "0"}, {"AlwaysOnTop", "True"}, {"ShowMin", "False"}},
        {{"Directory", music}, {"Volume", "32767"}, {"AlwaysOnTop", "False"}, {"ShowMin", "False"}},
    };
    for (const auto& left : leftAs) {
        SaveSetting("Corvala", "Settings", "Drive", music.substr(0, 1));
        for (const auto& [key, value] : left) SaveSetting("Corvala", "Settings", key, value);
        EXPECT_EQ(RunCorvalaUntil(SIGTERM, 10s), 0);
        EXPECT_EQ(UCase(Stored("Drive").substr(0, 1)), music.substr(0, 1));
        for (const auto& [key, value] : left) EXPECT_EQ(Stored(key.c_str()), value) << key;
    }
}

}  // namespace
