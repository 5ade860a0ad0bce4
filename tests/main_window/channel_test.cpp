// The two channels: every button and open-and-play in every state, then the ways a list plays.
#include <gtest/gtest.h>

#include <QListWidget>
#include <array>
#include <cstdio>
#include <filesystem>

#include "platform/runtime_error.h"
#include "tests/main_window/main_window_fixture.h"

namespace {

enum class State { Idle, Loaded, Paused };
enum class Event { DblClick, Play, Pause, Stop };

struct Row {
    State from;
    Event event;
    std::vector<const char*> failing;  // command prefixes that fail, "%" standing for the alias
    std::vector<const char*> sent;     // "%" is the alias, "open" the channel's open command
    State to;
    std::size_t boxes = 0;  // message boxes shown
};

struct Channel {
    const char* alias;
    FileListBox frmMain::*list;
    std::array<CommandButton frmMain::*, 3> buttons;  // Play, Pause, Stop
    const ChannelFlags& (frmMain::*flags)() const;
    std::string open;  // the open command for the list's first entry, by its short path
};

const Channel MidiChannel{"MIDI",
                          &frmMain::MIDIs,
                          {&frmMain::cmdMIDI_Play, &frmMain::cmdMIDI_Pause, &frmMain::cmdMIDI_Stop},
                          &frmMain::MIDIFlags,
                          "open Sequencer!T:\\MUSIC\\BALLAD.MID alias MIDI wait"};
const Channel WaveChannel{"WAVE",
                          &frmMain::WAVEs,
                          {&frmMain::cmdWAVE_Play, &frmMain::cmdWAVE_Pause, &frmMain::cmdWAVE_Stop},
                          &frmMain::WAVEFlags,
                          "open WaveAudio!T:\\MUSIC\\BEEPON~1.WAV alias WAVE wait"};

const std::vector<const char*> OpenAndPlay = {"stop %", "close % wait", "open", "play %"};

const Row Rows[] = {
    {State::Idle, Event::DblClick, {}, OpenAndPlay, State::Loaded},
    {State::Idle, Event::Play, {}, OpenAndPlay, State::Loaded},
    {State::Idle, Event::Pause, {}, {}, State::Idle},
    {State::Idle, Event::Stop, {}, {}, State::Idle},
    {State::Loaded, Event::DblClick, {}, OpenAndPlay, State::Loaded},
    {State::Loaded, Event::Play, {}, {"stop %", "seek % to start wait", "play %"}, State::Loaded},
    {State::Loaded, Event::Pause, {}, {"pause %"}, State::Paused},
    {State::Loaded, Event::Pause, {"pause %"}, {"pause %"}, State::Loaded},
    {State::Loaded, Event::Stop, {}, {"stop %", "close % wait"}, State::Idle},
    {State::Paused, Event::DblClick, {}, OpenAndPlay, State::Loaded},
    {State::Paused, Event::Play, {}, {"resume %"}, State::Loaded},
    {State::Paused, Event::Play, {"resume %"}, {"resume %", "play %"}, State::Loaded},
    {State::Paused, Event::Play, {"resume %", "play %"}, {"resume %", "play %"}, State::Paused},
    {State::Paused, Event::Pause, {}, {"resume %"}, State::Loaded},
    {State::Paused, Event::Stop, {}, {"stop %", "close % wait"}, State::Idle},
    // A failed open or first play is reported, and the channel counts as loaded all the same.
    {State::Idle, Event::DblClick, {"open", "play %"}, OpenAndPlay, State::Loaded, 2},
};

std::string WithAlias(const std::string& text, const Channel& channel) {
    if (text == "open") return channel.open;
    std::string out = text;
    out.replace(out.find('%'), 1, channel.alias);
    return out;
}

class ChannelStateTable : public MainWindowTest,
                          public testing::WithParamInterface<std::tuple<Channel, Row>> {
  protected:
    void Run(Event event) {
        const Channel& c = std::get<0>(GetParam());
        if (event == Event::DblClick) return ((*form).*c.list).DblClick();
        Click((*form).*c.buttons[static_cast<int>(event) - 1]);
    }

    void Reach(State state) {
        if (state == State::Idle) return;
        Run(Event::DblClick);
        if (state == State::Paused) Run(Event::Pause);
    }

    State Now() const {
        const Channel& channel = std::get<0>(GetParam());
        const ChannelFlags& flags = ((*form).*channel.flags)();
        if (flags.Playing == vbFalse && flags.Paused == vbFalse) return State::Idle;
        if (IsTrue(flags.Playing) && flags.Paused == vbFalse) return State::Loaded;
        EXPECT_TRUE(IsTrue(flags.Playing) && IsTrue(flags.Paused));
        return State::Paused;
    }
};

TEST_P(ChannelStateTable, SendsTheCommandsAndReachesTheState) {
    const auto& [channel, row] = GetParam();
    ((*form).*channel.list).ListIndex(0);
    Reach(row.from);
    ASSERT_EQ(Now(), row.from);
    mci.Clear();
    for (const char* failing : row.failing) mci.Answer(WithAlias(failing, channel), 263);

    Run(row.event);

    std::vector<std::string> expected;
    for (const char* command : row.sent) expected.push_back(WithAlias(command, channel));
    EXPECT_EQ(mci.Commands(), expected);
    EXPECT_EQ(Now(), row.to);
    const Image& picture = row.to == State::Paused ? form->imgPaused : form->imgNormal;
    EXPECT_TRUE(((*form).*channel.buttons[1]).Picture() == picture.Picture());
    EXPECT_EQ(boxes.boxes.size(), row.boxes);
    EXPECT_EQ(form->MousePointer(), 0);
    EXPECT_EQ(Screen::MousePointer(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChannelStateTable,
                         testing::Combine(testing::Values(MidiChannel, WaveChannel),
                                          testing::ValuesIn(Rows)));

TEST_F(MainWindowTest, WalkingAListWithTheArrowKeysPlaysEachFileItReaches) {
    ASSERT_TRUE(ShowActive(*form));
    std::vector<std::string> played;
    for (Qt::Key key :
         {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}) {
        mci.Clear();
        PressKey(form->MIDIs.Widget(), key);
        if (mci.Commands().size() == 4) played.push_back(form->MIDIs.FileName());
    }
    EXPECT_EQ(played, (std::vector<std::string>{"ballad.MID", "Song A.mid", "Ännchen.rmi",
                                                "Ännchen.rmi", "Song A.mid", "Song A.mid"}));
}

TEST_F(MainWindowTest, AFileInADriveRootIsOpenedByItsFile) {
    folder.Write("root.wav", sound_files::ToneWave(100, 8000));
    form->Directory1.Path("T:\\");
    form->WAVEs.ListIndex(0);
    form->WAVEs.DblClick();
    EXPECT_EQ(mci.Commands().at(2), "open WaveAudio!T:\\ROOT.WAV alias WAVE wait");
}

// More files than a 16-bit index can count: the lists hold them all, and each plays itself.
TEST_F(MainWindowTest, EveryFileOfAFolderOfThirtyThreeThousandPlays) {
    const auto big = folder.MakeFolder("big");
    constexpr int files = 33000;
    // Links to one empty file: a new directory entry each, made far faster than a new file.
    const auto empty = folder.Write("empty", "");
    const auto name = [](int i) {
        char text[16];
        std::snprintf(text, sizeof text, "w%05d.wav", i);
        return std::string(text);
    };
    for (int i = 0; i < files; ++i) std::filesystem::create_hard_link(empty, big / name(i));
    form->Directory1.Path("T:\\big");
    EXPECT_THROW(form->WAVEs.ListCount(), RuntimeError);  // 16 bits cannot count them
    form->WAVEs.ListIndex(32767);
    EXPECT_EQ(form->WAVEs.FileName(), "w32767.wav");

    auto* view = static_cast<QListWidget*>(form->WAVEs.Widget());
    ASSERT_EQ(view->count(), files);
    for (int row : {32767, 32768, 32999}) {
        view->setCurrentRow(row);  // as a click or the keyboard selects it
        EXPECT_EQ(form->WAVEs.FileName(), name(row));
        mci.Clear();
        form->WAVEs.DblClick();
        ASSERT_EQ(mci.Commands().size(), 4U);
        EXPECT_EQ(mci.Commands()[2],
                  "open WaveAudio!T:\\BIG\\" + UCase(name(row)) + " alias WAVE wait");
    }
}

}  // namespace
