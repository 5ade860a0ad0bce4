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

}  // namespace
