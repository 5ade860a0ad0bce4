// The media class's mixer volumes against a stand-in mixer, and a mixer that is not there.
#include <gtest/gtest.h>

#include <optional>

#include "media/cmci_adv.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/mixer_stand_in.h"

namespace {

using test_support::MixerStandIn;
using Get = std::int32_t (cMCI_Adv::*)() const;

struct Family {
    const char* name;
    std::uint32_t componentType;
    Get get;
    void (cMCI_Adv::*set)(std::int32_t);
    Get minimum, maximum;
};

const Family kFamilies[] = {
    {"System", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, &cMCI_Adv::MCIa_VolumeSystem,
     &cMCI_Adv::MCIa_VolumeSystem, &cMCI_Adv::MCIa_VolumeSystem_Min,
     &cMCI_Adv::MCIa_VolumeSystem_Max},
    {"WAVE", MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, &cMCI_Adv::MCIa_VolumeWAVE,
     &cMCI_Adv::MCIa_VolumeWAVE, &cMCI_Adv::MCIa_VolumeWAVE_Min, &cMCI_Adv::MCIa_VolumeWAVE_Max},
    {"MIDI", MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, &cMCI_Adv::MCIa_VolumeMIDI,
     &cMCI_Adv::MCIa_VolumeMIDI, &cMCI_Adv::MCIa_VolumeMIDI_Min, &cMCI_Adv::MCIa_VolumeMIDI_Max},
    {"CD", MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, &cMCI_Adv::MCIa_VolumeCD,
     &cMCI_Adv::MCIa_VolumeCD, &cMCI_Adv::MCIa_VolumeCD_Min, &cMCI_Adv::MCIa_VolumeCD_Max},
};

class MixerVolumeTest : public testing::Test {
  protected:
    test_support::MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    // Each family on bounds of its own, in the order of kFamilies, so a value clamped to
    // another family's bounds shows.
    MixerStandIn mixer{{{MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0, 65535, 1000},
                        {MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0, 32767, 2000},
                        {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, -100, 100, 30},
                        {MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 10, 20, 15}}};
};

TEST_F(MixerVolumeTest, EachFamilyKeepsItsOwnBoundsAndClampsToThem) {
    std::optional<cMCI_Adv> mci(std::in_place);
    EXPECT_EQ(mci->MCIa_VolumeSystem(), 1000);
    const struct {
        std::size_t family;
        std::int32_t written;
        std::uint32_t reaches;
    } writes[] = {
        {0, 70000, 65535},
        {1, 40000, 32767},
        {2, -500, static_cast<std::uint32_t>(-100)},
        {2, -7, static_cast<std::uint32_t>(-7)},
        {3, 0, 10},
        {3, 25, 20},
    };
    for (std::size_t index = 0; index < std::size(kFamilies); ++index) {
        const Family& family = kFamilies[index];
        EXPECT_EQ(((*mci).*family.minimum)(), mixer.lines[index].minimum) << family.name;
        EXPECT_EQ(((*mci).*family.maximum)(), mixer.lines[index].maximum) << family.name;
    }
    for (const auto& write : writes) {
        const Family& family = kFamilies[write.family];
        ((*mci).*family.set)(write.written);
        EXPECT_EQ(mixer.Value(family.componentType), write.reaches) << family.name << write.written;
        EXPECT_EQ(((*mci).*family.get)(), static_cast<std::int32_t>(write.reaches)) << family.name;
    }
    EXPECT_TRUE(boxes.boxes.empty());
    mci.reset();
    EXPECT_EQ(mixer.calls.back(), "mixerClose 77") << "the mixer goes with the object";
}

TEST_F(MixerVolumeTest, AMixerThatCannotBeOpenedWarnsOnceAndLeavesEveryVolumeAtZero) {
    mixer.openResult = MMSYSERR_BADDEVICEID;
    std::optional<cMCI_Adv> mci(std::in_place);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].prompt, "An error occured while trying to access the volume mixer.");
    EXPECT_EQ(boxes.boxes[0].title, "  Error Opening Volume Mixer");
    EXPECT_EQ(mixer.calls, std::vector<std::string>{"mixerOpen 0 0 0 0"});
    for (const Family& family : kFamilies) {
        ((*mci).*family.set)(12);
        EXPECT_EQ(((*mci).*family.get)(), 0) << family.name;
        EXPECT_EQ(((*mci).*family.minimum)(), 0) << family.name;
        EXPECT_EQ(((*mci).*family.maximum)(), 0) << family.name;
    }
    EXPECT_TRUE(mixer.writes.empty());
    mci.reset();
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

}  // namespace
