// Every listed file plays itself, on the real media service and the silent output: names that
// differ only in case, names with spaces, quotes, "!", "\" and non-ASCII letters, and a file
// at the end of a path of three hundred characters. Each file has its own length, so the
// length the device reports tells which file it opened.
#include <gtest/gtest.h>

#include <QListWidget>
#include <map>

#include "main_window/frm_main.h"
#include "platform/audio/engine.h"
#include "platform/multimedia.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/sound_files.h"
#include "tests/support/settings_folder.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace {

std::string WaveLength() {
    char reply[260] = {};
    if (mciSendStringA("status WAVE length", reply, sizeof reply, 0) != 0) return "closed";
    return reply;
}

void DoubleClick(FileListBox& list, int row) {
    auto* view = static_cast<QListWidget*>(list.Widget());
    view->scrollToItem(view->item(row));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       view->visualItemRect(view->item(row)).center());
}

TEST(EveryFilePlays, EachListedNameOpensItsOwnFileWhateverItHoldsAndHoweverDeepItLies) {
    ASSERT_TRUE(audio::Engine::ChooseSink("null") || audio::Engine::Shared().SinkName() == "null");
    ApplicationFirst application;
    test_support::TempFolder folder;
    std::string deep = "music";
    for (int depth = 0; depth < 7; ++depth)
        deep += "/A folder name of some forty characters " + std::to_string(depth);
    const std::vector<std::string> folders = {"music", deep};
    const std::vector<std::string> names = {"Song.wav",         "song.wav",        "SONG.WAV",
                                            "say \"hi\" !.wav", "left\\right.wav", "Ärger über.wav",
                                            "wow!.wav",         "it's.wav"};
    int length = 100;
    std::map<std::string, std::string> lengthOf;  // Linux path -> milliseconds
    for (const std::string& where : folders) {
        for (const std::string& name : names) {
            const auto file = folder.Write(where + "/" + name, sound_files::ToneWave(length, 8000));
            lengthOf[file.string()] = std::to_string(length);
            length += 100;
        }
    }
    test_support::ScopedDrives drives({{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}});
    test_support::MessageBoxRecorder boxes;
    test_support::ScopedSettingsFolder settings{folder.path() / "config"};
    frmMain form;
    ASSERT_TRUE(ShowActive(form));
    for (const std::string& where : folders) {
        form.Directory1.Path(drives::ToWindows(folder.path() / where));
        ASSERT_EQ(form.WAVEs.ListCount(), static_cast<std::int16_t>(names.size()));
        for (int row = 0; row < form.WAVEs.ListCount(); ++row) {
            DoubleClick(form.WAVEs, row);
            const std::string file = (folder.path() / where / form.WAVEs.FileName()).string();
            EXPECT_EQ(WaveLength(), lengthOf[file]) << file;
        }
    }
    EXPECT_TRUE(boxes.boxes.empty());
    form.UnloadForm();
}

}  // namespace
