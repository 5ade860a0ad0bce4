// The main window on the real media service and the silent output: a sound and a song play at
// once and pause and stop apart, every listed file plays itself, and files handed to the window
// play.
#include <map>

#include "tests/faults/real_window_fixture.h"
#include "tests/support/sound_files.h"

namespace {

using RealPlayback = faults::RealWindowTest;

std::string WaveLength() {
    char reply[260] = {};
    if (mciSendStringA("status WAVE length", reply, sizeof reply, 0) != 0) return "closed";
    return reply;
}

TEST_F(RealPlayback, BothChannelsPlayAtOnceAndPauseAndStopApart) {
    folder.Write("music/long tone.wav", sound_files::ToneWave(5000, 8000));
    folder.Write("music/Lied für dich.mid", sound_files::NoteSong(12));
    Start();
    ShowFolder("music");
    DoubleClick("long tone.wav");
    DoubleClick("Lied für dich.mid");
    EXPECT_EQ(Mode("WAVE"), "playing");
    EXPECT_EQ(Mode("MIDI"), "playing");

    QTest::mouseClick(form->cmdMIDI_Pause.Widget(), Qt::LeftButton);
    QTest::mouseClick(form->cmdWAVE_Stop.Widget(), Qt::LeftButton);
    EXPECT_EQ(Mode("WAVE"), "closed");
    EXPECT_EQ(Mode("MIDI"), "paused");
    EXPECT_TRUE(form->cmdMIDI_Pause.Picture() == form->imgPaused.Picture());
    EXPECT_TRUE(form->cmdWAVE_Pause.Picture() == form->imgNormal.Picture());
    EXPECT_TRUE(boxes.boxes.empty());
    form->UnloadForm();
    EXPECT_EQ(Mode("MIDI"), "closed");
}

// Names that differ only in case, with spaces, quotes, "!", "\" and non-ASCII letters (those with
// "!" or an apostrophe keep their short form), and at the end of a path of three hundred
// characters. Each file has its own length, so the length the device reports tells which it opened.
TEST_F(RealPlayback, EachListedNameOpensItsOwnFileHoweverDeepItLies) {
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
    Start();
    for (const std::string& where : folders) {
        form->Directory1.Path(drives::ToWindows(folder.path() / where));
        ASSERT_EQ(form->WAVEs.ListCount(), static_cast<std::int16_t>(names.size()));
        for (const std::string& name : Listed(form->WAVEs)) {
            DoubleClick(name);
            const std::string file = (folder.path() / where / form->WAVEs.FileName()).string();
            EXPECT_EQ(WaveLength(), lengthOf[file]) << file;
        }
    }
    EXPECT_TRUE(boxes.boxes.empty());
    form->UnloadForm();
}

// corvala FILE...: each file's folder is shown as if browsed to, and the file plays on the
// channel its extension picks, a second file from the same folder keeping the first's selection;
// one that cannot be opened gets the double-click's error boxes (a damaged song fails to open
// and to play; a missing sound opens empty and fails to play).
TEST_F(RealPlayback, FilesGivenToTheWindowPlayFromTheirFolder) {
    folder.Write("music/sub/Lied.mid", sound_files::NoteSong(12));
    folder.Write("music/sub/tone.wav", sound_files::ToneWave(5000, 8000));
    folder.Write("music/broken.mid", "not a song");
    const struct {
        std::vector<std::string> files;
        std::string directory, song, sound, songMode, soundMode;
        std::size_t boxes;
    } rows[] = {
        {{"music/sub/Lied.mid", "music/sub/tone.wav"},
         "T:\\MUSIC\\SUB",
         "Lied.mid",
         "tone.wav",
         "playing",
         "playing",
         0},
        {{"music/broken.mid"}, "T:\\MUSIC", "broken.mid", "", "closed", "closed", 2},
        {{"music/gone.wav"}, "T:\\MUSIC", "", "", "closed", "not ready", 1},
    };
    for (const auto& row : rows) {
        boxes.boxes.clear();
        form.emplace();
        ASSERT_TRUE(ShowActive(*form));
        std::vector<std::string> paths;
        for (const auto& file : row.files) paths.push_back((folder.path() / file).string());
        form->OpenFiles(paths);
        EXPECT_EQ(UCase(form->Directory1.Path()), row.directory);
        EXPECT_EQ(form->MIDIs.FileName(), row.song);
        EXPECT_EQ(form->WAVEs.FileName(), row.sound);
        EXPECT_EQ(Mode("MIDI"), row.songMode);
        EXPECT_EQ(Mode("WAVE"), row.soundMode);
        EXPECT_EQ(boxes.boxes.size(), row.boxes) << row.files[0];
        form->UnloadForm();
    }
}

}  // namespace
