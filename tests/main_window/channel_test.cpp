// The two channels: every button and open-and-play in every state, with the commands that reach
// the media service, the flags and the Pause picture after; then the ways a list starts a file.
#include <gtest/gtest.h>

#include <QListWidget>

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
    CommandButton frmMain::*play;
    CommandButton frmMain::*pause;
    CommandButton frmMain::*stop;
    const ChannelFlags& (frmMain::*flags)() const;
    std::string open;  // the open command for the first entry of the list; the media class
                       // hands the device the short path in upper case
};

const Channel MidiChannel{"MIDI",
                          &frmMain::MIDIs,
                          &frmMain::cmdMIDI_Play,
                          &frmMain::cmdMIDI_Pause,
                          &frmMain::cmdMIDI_Stop,
                          &frmMain::MIDIFlags,
                          "open Sequencer!" + UCase("T:\\music\\ballad.MID") + " alias MIDI wait"};
const Channel WaveChannel{"WAVE",
                          &frmMain::WAVEs,
                          &frmMain::cmdWAVE_Play,
                          &frmMain::cmdWAVE_Pause,
                          &frmMain::cmdWAVE_Stop,
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
    {State::Paused, Event::Pause, {"resume %"}, {"resume %", "play %"}, State::Loaded},
    {State::Paused, Event::Pause, {"resume %", "play %"}, {"resume %", "play %"}, State::Paused},
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
        Click((*form).*(event == Event::Play ? c.play : event == Event::Pause ? c.pause : c.stop));
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
    EXPECT_TRUE(((*form).*channel.pause).Picture() == picture.Picture());
    EXPECT_EQ(boxes.boxes.size(), row.boxes);
    EXPECT_EQ(form->MousePointer(), 0);
    EXPECT_EQ(Screen::MousePointer(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChannelStateTable,
                         testing::Combine(testing::Values(MidiChannel, WaveChannel),
                                          testing::ValuesIn(Rows)));

TEST_F(MainWindowTest, NothingSelectedMeansNothingSentAndTheCursorUntouched) {
    form->MousePointer(5);
    Screen::MousePointer(5);
    form->MIDIs.DblClick();
    form->WAVEs.DblClick();
    Click(form->cmdMIDI_Play);
    EXPECT_TRUE(mci.Commands().empty());
    EXPECT_EQ(Screen::MousePointer(), 0);  // Play itself shows and restores the hourglass
    form->MousePointer(5);
    Screen::MousePointer(5);
    form->WAVEs.DblClick();
    EXPECT_EQ(form->MousePointer(), 5);
    EXPECT_EQ(Screen::MousePointer(), 5);
    Screen::MousePointer(0);
}

TEST_F(MainWindowTest, WalkingAListWithTheArrowKeysPlaysEachFileItReaches) {
    ASSERT_TRUE(ShowActive(*form));
    QWidget* list = form->MIDIs.Widget();
    for (Qt::Key key :
         {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}) {
        PressKey(list, key);
    }
    std::vector<std::string> opened;
    for (const std::string& command : mci.Commands()) {
        if (command.starts_with("open ")) opened.push_back(command);
    }
    const auto open = [](const char* shortName) {
        return "open Sequencer!T:\\MUSIC\\" + std::string(shortName) + " alias MIDI wait";
    };
    EXPECT_EQ(opened, (std::vector<std::string>{open("BALLAD.MID"), open("SONGA~1.MID"),
                                                open("_NNCHE~1.RMI"), open("_NNCHE~1.RMI"),
                                                open("SONGA~1.MID"), open("SONGA~1.MID")}));
}

TEST_F(MainWindowTest, AFileInADriveRootIsOpenedByItsFile) {
    folder.Write("root.wav", sound_files::ToneWave(100, 8000));
    form->Directory1.Path("T:\\");
    form->WAVEs.ListIndex(0);
    form->WAVEs.DblClick();
    EXPECT_EQ(mci.Commands().at(2), "open WaveAudio!T:\\ROOT.WAV alias WAVE wait");
}

TEST(AcceptedNames, OnlyTheLastFourCharactersCountIgnoringCase) {
    const std::tuple<const char*, bool, bool> names[] = {
        {"a.mid", true, false},   {"B.Mid", true, false}, {"c.rmi", true, false},
        {"d.midi", false, false}, {"e.Wav", false, true}, {"f.wave", false, false},
        {".wav", false, true},    {"wav", false, false}};
    for (const auto& [name, midi, wave] : names) {
        EXPECT_EQ(HasAcceptedEnding(name, {".MID", ".RMI"}), midi) << name;
        EXPECT_EQ(HasAcceptedEnding(name, {".WAV"}), wave) << name;
    }
}

}  // namespace
