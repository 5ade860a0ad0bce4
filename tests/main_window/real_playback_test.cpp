// The main window on the real media service and the silent audio output: a WAVE sound and a
// MIDI song started from the lists play at the same time, and Stop ends only its own channel.
#include <gtest/gtest.h>

#include <QListWidget>

#include "main_window/frm_main.h"
#include "platform/audio/engine.h"
#include "platform/multimedia.h"
#include "tests/support/sound_files.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/settings_folder.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace {

std::string Mode(const std::string& alias) {
    char reply[260] = {};
    if (mciSendStringA(("status " + alias + " mode").c_str(), reply, sizeof reply, 0) != 0)
        return "closed";
    return reply;
}

void DoubleClickFirstEntry(FileListBox& list) {
    auto* view = static_cast<QListWidget*>(list.Widget());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       view->visualItemRect(view->item(0)).center());
}

TEST(RealPlayback, BothChannelsPlayAtOnceAndStopApart) {
    ASSERT_TRUE(audio::Engine::ChooseSink("null"));
    ApplicationFirst application;
    test_support::TempFolder folder;
    folder.Write("music/long tone.wav", sound_files::ToneWave(5000, 8000));
    folder.Write("music/Lied für dich.mid", sound_files::NoteSong(12));
    test_support::ScopedDrives drives({{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}});
    test_support::MessageBoxRecorder boxes;
    test_support::ScopedSettingsFolder settings{folder.path() / "config"};
    frmMain form;
    ASSERT_TRUE(ShowActive(form));
    form.Directory1.Path("T:\\music");

    DoubleClickFirstEntry(form.WAVEs);
    DoubleClickFirstEntry(form.MIDIs);
    EXPECT_EQ(Mode("WAVE"), "playing");
    EXPECT_EQ(Mode("MIDI"), "playing");

    QTest::mouseClick(form.cmdWAVE_Stop.Widget(), Qt::LeftButton);
    EXPECT_EQ(Mode("WAVE"), "closed");
    EXPECT_EQ(Mode("MIDI"), "playing");
    EXPECT_TRUE(boxes.boxes.empty());
    form.UnloadForm();
    EXPECT_EQ(Mode("MIDI"), "closed");
}

// corvala FILE...: each file's folder is shown as if browsed to, and the file plays on the
// channel its extension picks; one that cannot be opened gets the double-click's error boxes
// (a damaged song fails to open and to play; a missing sound opens empty and fails to play).
TEST(RealPlayback, FilesGivenToTheWindowPlayFromTheirFolder) {
    ASSERT_TRUE(audio::Engine::ChooseSink("null"));
    ApplicationFirst application;
    test_support::TempFolder folder;
    folder.Write("music/sub/Lied.mid", sound_files::NoteSong(12));
    folder.Write("music/sub/tone.wav", sound_files::ToneWave(5000, 8000));
    folder.Write("music/broken.mid", "not a song");
    test_support::ScopedDrives drives({{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}});
    test_support::ScopedSettingsFolder settings{folder.path() / "config"};
    const struct {
        std::vector<std::string> files;
        std::string directory, song, sound, songMode, soundMode;
        std::size_t boxes;
    } rows[] = {
        {{"music/sub/Lied.mid", "music/sub/tone.wav"}, "T:\\MUSIC\\SUB", "Lied.mid", "tone.wav",
         "playing", "playing", 0},
        {{"music/broken.mid"}, "T:\\MUSIC", "broken.mid", "", "closed", "closed", 2},
        {{"music/gone.wav"}, "T:\\MUSIC", "", "", "closed", "not ready", 1},
    };
    for (const auto& row : rows) {
        test_support::MessageBoxRecorder boxes;
        frmMain form;
        ASSERT_TRUE(ShowActive(form));
        std::vector<std::string> paths;
        for (const auto& file : row.files) paths.push_back((folder.path() / file).string());
        form.OpenFiles(paths);
        EXPECT_EQ(UCase(form.Directory1.Path()), row.directory);
        EXPECT_EQ(form.MIDIs.FileName(), row.song);
        EXPECT_EQ(form.WAVEs.FileName(), row.sound);
        EXPECT_EQ(Mode("MIDI"), row.songMode);
        EXPECT_EQ(Mode("WAVE"), row.soundMode);
        EXPECT_EQ(boxes.boxes.size(), row.boxes) << row.files[0];
        form.UnloadForm();
    }
}

}  // namespace
