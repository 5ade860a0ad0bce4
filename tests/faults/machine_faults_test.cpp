// The real program when the machine goes wrong under it: the drive or the folder it shows
// disappears. It refreshes, changes drive and double-clicks
// on without a crash, gives the messages it gives for a missing file or drive, still plays
// from a good folder afterwards, and writes every setting when it unloads.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/settings.h"
#include "tests/faults/real_window_fixture.h"
#include "tests/support/sound_files.h"

namespace {

namespace fs = std::filesystem;

std::string Stored(const std::string& key) {
    return GetSetting("Corvala", "Settings", key, "<missing>");
}

class MachineFaults : public faults::RealWindowTest {
  protected:
    MachineFaults() {
        for (const char* place : {"music", "removable/songs"}) {
            folder.Write(std::string(place) + "/tune.mid", sound_files::NoteSong(1));
            folder.Write(std::string(place) + "/beep.wav", sound_files::ToneWave(300));
        }
    }

    // Settings a user changed before the fault, to be found in the store after unloading.
    void ChangeSettings() {
        form->vsVolume.Value(12345);
        form->mnuOptionsMin.Action()->trigger();
    }

    void Refresh() { form->mnuSoundsRefresh.Action()->trigger(); }

    // The window still answers: a good folder shows and plays, and unloading saves it all.
    void ExpectStillWorkingAndSaved() {
        ASSERT_EQ(form->Loaded(), vbTrue);
        ShowFolder("music");
        EXPECT_TRUE(DoubleClick("beep.wav").playing);
        EXPECT_TRUE(DoubleClick("tune.mid").playing);
        form->UnloadForm();
        EXPECT_EQ(Stored("Volume"), "12345");
        EXPECT_EQ(Stored("ShowMin"), "True");
        EXPECT_EQ(Stored("AlwaysOnTop"), "True");
        EXPECT_EQ(Stored("Directory"), "T:\\music");
    }

    std::vector<std::string> BoxTitles() const {
        std::vector<std::string> titles;
        for (const auto& box : boxes.boxes) titles.push_back(box.title);
        return titles;
    }
};

TEST_F(MachineFaults, ADriveThatVanishesWhileShown) {
    Start();
    ChangeSettings();
    form->Drive1.Drive("v");
    form->Directory1.Path("V:\\songs");
    ASSERT_EQ(Listed(form->WAVEs), std::vector<std::string>{"beep.wav"});
    fs::remove_all(folder.path() / "removable");

    const Result gone = DoubleClick("beep.wav");
    EXPECT_FALSE(gone.playing);
    EXPECT_TRUE(gone.boxShown) << "the file is gone with its drive";
    Refresh();
    EXPECT_TRUE(Listed(form->WAVEs).empty());
    EXPECT_TRUE(Listed(form->MIDIs).empty());
    form->Drive1.Drive("c");
    form->Drive1.Drive("v");
    EXPECT_EQ(BoxTitles(), (std::vector<std::string>{"  MCI ERROR", "  Can Not Access Drive"}));
    EXPECT_EQ(form->Drive1.Drive().front(), 'c') << "back to the drive it started on";
    ExpectStillWorkingAndSaved();
}

TEST_F(MachineFaults, TheFolderShownIsDeleted) {
    folder.Write("doomed/inner/x.wav", sound_files::ToneWave(100));
    folder.Write("doomed/last.wav", sound_files::ToneWave(100));
    Start();
    ChangeSettings();
    ShowFolder("doomed");
    fs::remove_all(folder.path() / "doomed");

    const Result gone = DoubleClick("last.wav");
    EXPECT_FALSE(gone.playing);
    EXPECT_TRUE(gone.boxShown);
    Refresh();
    EXPECT_TRUE(Listed(form->WAVEs).empty());
    EXPECT_EQ(BoxTitles(), std::vector<std::string>{"  MCI ERROR"});
    ExpectStillWorkingAndSaved();
}

}  // namespace
