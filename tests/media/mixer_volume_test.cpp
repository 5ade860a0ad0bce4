// The media class's mixer volumes, against a stand-in mixer: the calls and record sizes it
// passes, each family clamped to its own bounds, and a mixer or a line that is not there.
#include <gtest/gtest.h>

#include <functional>

#include "media/cmci_adv.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/mixer_stand_in.h"

namespace {

using test_support::MixerStandIn;

struct Family {
    const char* name;
    std::uint32_t componentType;
    std::function<std::int32_t(const cMCI_Adv&)> get;
    std::function<void(cMCI_Adv&, std::int32_t)> set;
    std::function<std::int32_t(const cMCI_Adv&)> minimum;
    std::function<std::int32_t(const cMCI_Adv&)> maximum;
};

const Family kFamilies[] = {
    {"System", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
     [](const cMCI_Adv& m) { return m.MCIa_VolumeSystem(); },
     [](cMCI_Adv& m, std::int32_t v) { m.MCIa_VolumeSystem(v); },
     [](const cMCI_Adv& m) { return m.MCIa_VolumeSystem_Min(); },
     [](const cMCI_Adv& m) { return m.MCIa_VolumeSystem_Max(); }},
    {"WAVE", MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT,
     [](const cMCI_Adv& m) { return m.MCIa_VolumeWAVE(); },
     [](cMCI_Adv& m, std::int32_t v) { m.MCIa_VolumeWAVE(v); },
     [](const cMCI_Adv& m) { return m.MCIa_VolumeWAVE_Min(); },
     [](const cMCI_Adv& m) { return m.MCIa_VolumeWAVE_Max(); }},
    {"MIDI", MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER,
     [](const cMCI_Adv& m) { return m.MCIa_VolumeMIDI(); },
     [](cMCI_Adv& m, std::int32_t v) { m.MCIa_VolumeMIDI(v); },
     [](const cMCI_Adv& m) { return m.MCIa_VolumeMIDI_Min(); },
     [](const cMCI_Adv& m) { return m.MCIa_VolumeMIDI_Max(); }},
    {"CD", MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
     [](const cMCI_Adv& m) { return m.MCIa_VolumeCD(); },
     [](cMCI_Adv& m, std::int32_t v) { m.MCIa_VolumeCD(v); },
     [](const cMCI_Adv& m) { return m.MCIa_VolumeCD_Min(); },
     [](const cMCI_Adv& m) { return m.MCIa_VolumeCD_Max(); }},
};

// Each family on bounds of its own, in the order of kFamilies, so a value clamped to another
// family's bounds shows.
MixerStandIn FourLines() {
    return MixerStandIn({{MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0, 65535, 1000},
                         {MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0, 32767, 2000},
                         {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, -100, 100, 30},
                         {MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 10, 20, 15}});
}

class MixerVolumeTest : public testing::Test {
  protected:
    test_support::MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    MixerStandIn mixer = FourLines();
};

TEST_F(MixerVolumeTest, OpensDeviceZeroAndLooksUpTheFourLinesInOrder) {
    std::optional<cMCI_Adv> mci(std::in_place);
    const std::vector<std::string> expected = {
        "mixerOpen 0 0 0 0",
        "mixerGetLineInfoA 77 size 168 type 0x4 flags 3",
        "mixerGetLineControlsA 77 size 24 line 0x100 type 0x50030001 count 1 record 152 flags 2",
        "mixerGetLineInfoA 77 size 168 type 0x1008 flags 3",
        "mixerGetLineControlsA 77 size 24 line 0x101 type 0x50030001 count 1 record 152 flags 2",
        "mixerGetLineInfoA 77 size 168 type 0x1004 flags 3",
        "mixerGetLineControlsA 77 size 24 line 0x102 type 0x50030001 count 1 record 152 flags 2",
        "mixerGetLineInfoA 77 size 168 type 0x1005 flags 3",
        "mixerGetLineControlsA 77 size 24 line 0x103 type 0x50030001 count 1 record 152 flags 2",
    };
    EXPECT_EQ(mixer.calls, expected);
    EXPECT_EQ(recorder.Commands(), std::vector<std::string>{"close all wait"});
    EXPECT_TRUE(boxes.boxes.empty());

    mixer.calls.clear();
    recorder.Clear();
    mci.reset();
    EXPECT_EQ(recorder.Commands(), std::vector<std::string>{"close all wait"});
    EXPECT_EQ(mixer.calls, std::vector<std::string>{"mixerClose 77"});
}

TEST_F(MixerVolumeTest, ReadsAndWritesOneValueForEveryChannelOfTheLine) {
    cMCI_Adv mci;
    mixer.calls.clear();
    EXPECT_EQ(mci.MCIa_VolumeSystem(), 1000);
    mci.MCIa_VolumeSystem(4321);
    EXPECT_EQ(mixer.calls, (std::vector<std::string>{
                               "mixerGetControlDetailsA 77 size 24 control 1 channels 1 items 0 "
                               "value size 4 flags 0",
                               "mixerSetControlDetails 77 size 24 control 1 channels 1 items 0 "
                               "value size 4 flags 0 value 4321",
                           }));
}

TEST_F(MixerVolumeTest, EachFamilyKeepsItsOwnBoundsAndClampsToThem) {
    cMCI_Adv mci;
    struct Write {
        const char* family;
        std::int32_t written;
        std::uint32_t reaches;
    };
    const Write writes[] = {
        {"System", -5, 0},
        {"System", 70000, 65535},
        {"System", 32768, 32768},
        {"WAVE", 40000, 32767},
        {"WAVE", -1, 0},
        {"MIDI", -500, static_cast<std::uint32_t>(-100)},
        {"MIDI", 101, 100},
        {"MIDI", -7, static_cast<std::uint32_t>(-7)},
        {"CD", 0, 10},
        {"CD", 25, 20},
        {"CD", 12, 12},
    };
    for (std::size_t index = 0; index < std::size(kFamilies); ++index) {
        const Family& family = kFamilies[index];
        EXPECT_EQ(family.minimum(mci), mixer.lines[index].minimum) << family.name;
        EXPECT_EQ(family.maximum(mci), mixer.lines[index].maximum) << family.name;
        for (const Write& write : writes) {
            if (std::string(write.family) != family.name) continue;
            family.set(mci, write.written);
            EXPECT_EQ(mixer.Value(family.componentType), write.reaches)
                << family.name << " " << write.written;
            EXPECT_EQ(family.get(mci), static_cast<std::int32_t>(write.reaches)) << family.name;
        }
    }
}

TEST_F(MixerVolumeTest, AMixerThatCannotBeOpenedWarnsOnceAndLeavesEveryVolumeAtZero) {
    mixer.openResult = MMSYSERR_BADDEVICEID;
    std::optional<cMCI_Adv> mci(std::in_place);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].prompt, "An error occured while trying to access the volume mixer.");
    EXPECT_EQ(boxes.boxes[0].title, "  Error Opening Volume Mixer");
    EXPECT_EQ(boxes.boxes[0].style, 48);
    EXPECT_EQ(mixer.calls, std::vector<std::string>{"mixerOpen 0 0 0 0"});

    for (const Family& family : kFamilies) {
        family.set(*mci, 12);
        EXPECT_EQ(family.get(*mci), 0) << family.name;
        EXPECT_EQ(family.minimum(*mci), 0) << family.name;
        EXPECT_EQ(family.maximum(*mci), 0) << family.name;
    }
    EXPECT_TRUE(mixer.writes.empty());
    mci.reset();
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(MixerVolumeTest, AMissingLineReadsZeroAndItsWritesReachNoOtherControl) {
    mixer.lines.erase(mixer.lines.begin() + 1);  // no wave output line
    cMCI_Adv mci;
    mixer.calls.clear();
    EXPECT_EQ(mci.MCIa_VolumeWAVE_Max(), 0);
    EXPECT_EQ(mci.MCIa_VolumeWAVE_Min(), 0);
    EXPECT_EQ(mci.MCIa_VolumeWAVE(), 0);
    mci.MCIa_VolumeWAVE(0);
    EXPECT_TRUE(mixer.calls.empty());
    EXPECT_EQ(mci.MCIa_VolumeMIDI_Max(), 100) << "the lines after it are still found";
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MixerVolumeTest, AValueIsCarriedAsASigned32BitNumberWithoutConversion) {
    mixer.lines[0].value = 0xFFFFFFFF;
    const cMCI_Adv mci;
    EXPECT_EQ(mci.MCIa_VolumeSystem(), -1);
}

}  // namespace
