// The real program when the drive it shows disappears under it: it double-clicks, refreshes and
// changes drive on without a crash, gives the messages it gives for a missing file or drive,
// still plays from a good folder afterwards, and writes every setting when it unloads.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/settings.h"
#include "tests/faults/real_window_fixture.h"
#include "tests/support/sound_files.h"

namespace {

using MachineFaults = faults::RealWindowTest;

std::string Stored(const std::string& key) {
    return GetSetting("Corvala", "Settings", key, "<missing>");
}

TEST_F(MachineFaults, ADriveThatVanishesWhileShown) {
    for (const char* place : {"music", "removable/songs"}) {
        folder.Write(std::string(place) + "/tune.mid", sound_files::NoteSong(1));
        folder.Write(std::string(place) + "/beep.wav", sound_files::ToneWave(300));
    }
    Start();
    form->vsVolume.Value(12345);
    form->mnuOptionsMin.Action()->trigger();
    form->Drive1.Drive("v");
    form->Directory1.Path("V:\\songs");
    ASSERT_EQ(Listed(form->WAVEs), std::vector<std::string>{"beep.wav"});
    std::filesystem::remove_all(folder.path() / "removable");

    const Result gone = DoubleClick("beep.wav");
    EXPECT_FALSE(gone.playing);
    EXPECT_TRUE(gone.boxShown) << "the file is gone with its drive";
    form->mnuSoundsRefresh.Action()->trigger();
    EXPECT_TRUE(Listed(form->WAVEs).empty());
    EXPECT_TRUE(Listed(form->MIDIs).empty());
    form->Drive1.Drive("c");
    form->Drive1.Drive("v");
    std::vector<std::string> titles;
    for (const auto& box : boxes.boxes) titles.push_back(box.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"  MCI ERROR", "  Can Not Access Drive"}));
    EXPECT_EQ(form->Drive1.Drive().front(), 'c') << "back to the drive it started on";

    ShowFolder("music");
    EXPECT_TRUE(DoubleClick("beep.wav").playing);
    EXPECT_TRUE(DoubleClick("tune.mid").playing);
    form->UnloadForm();
    EXPECT_EQ(Stored("Volume"), "12345");
    EXPECT_EQ(Stored("ShowMin"), "True");
    EXPECT_EQ(Stored("AlwaysOnTop"), "True");
    EXPECT_EQ(Stored("Directory"), "T:\\music");
}

}  // namespace
