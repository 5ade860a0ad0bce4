// The volume slider over mixers of different bounds: the range, steps and position it gets at
// start-up, and the level each position sends to the mixer, loud at the top.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <array>

#include "tests/main_window/main_window_fixture.h"

namespace {

struct SliderCase {
    const char* name;
    std::array<std::int32_t, 3> mixer;  // minimum, maximum, level
    std::vector<std::int16_t> slider;   // min, max, value, small and large change
    std::vector<std::int32_t> setUpWrites;
    std::vector<std::pair<std::int16_t, std::int32_t>> moves;  // position, level sent
};

const SliderCase kSliderCases[] = {
    // The usual fader: f = 32767 / 65535 in single precision.
    {"Usual",
     {0, 65535, 32768},
     {0, 32767, 16383, 1638, 3277},
     {32769},
     {{0, 65535}, {32767, 0}, {16383, 32769}, {1638, 62259}}},
    // f is 0.5 exactly, so the level read at start-up shows the halves: 2.5 and 3.5.
    {"HalvesToEven", {0, 65534, 5}, {0, 32767, 32765, 1638, 3277}, {4}, {{0, 65534}, {32766, 2}}},
    {"HalvesToEvenUp", {0, 65534, 7}, {0, 32767, 32763, 1638, 3277}, {8}, {{32767, 0}}},
    {"Unscaled",
     {0, 32767, 1000},
     {0, 32767, 31767, 1638, 3277},
     {1000},
     {{0, 32767}, {32767, 0}, {100, 32667}}},
    // Below 32767 the slider is mirrored over the mixer's own bounds.
    {"Small", {0, 100, 40}, {0, 100, 60, 5, 10}, {40}, {{0, 100}, {100, 0}, {25, 75}}},
    {"SmallTies", {0, 50, 50}, {0, 50, 0, 2, 5}, {}, {{50, 0}, {1, 49}}},
    {"NegativeMinimum",
     {-100, 100, -20},
     {-100, 100, 20, 5, 10},
     {-20},
     {{-100, 100}, {100, -100}, {0, 0}}},
    {"NegativeMinimumScaled",
     {-65536, 65535, 0},
     {-32768, 32767, -1, 1638, 3277},
     {0},
     {{-32768, 65535}, {32767, -65536}, {-1, 0}}},
};

class VolumeSlider : public StartupTest, public testing::WithParamInterface<SliderCase> {};

TEST_P(VolumeSlider, TakesItsRangeFromTheMixerAndSendsLevelsBack) {
    const SliderCase& c = GetParam();
    mixer.lines[0] = {MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, c.mixer[0], c.mixer[1],
                      static_cast<std::uint32_t>(c.mixer[2])};
    Start();
    const VScrollBar& bar = form->vsVolume;
    EXPECT_EQ((std::vector<std::int16_t>{bar.Min(), bar.Max(), bar.Value(), bar.SmallChange(),
                                         bar.LargeChange()}),
              c.slider);
    EXPECT_EQ(std::vector<std::int32_t>(mixer.writes.begin(), mixer.writes.end()), c.setUpWrites);
    for (const auto& [position, level] : c.moves) {
        form->vsVolume.Value(position);
        EXPECT_EQ(static_cast<std::int32_t>(mixer.Value(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS)),
                  level)
            << "position " << position;
    }
}

INSTANTIATE_TEST_SUITE_P(Mixers, VolumeSlider, testing::ValuesIn(kSliderCases),
                         [](const testing::TestParamInfo<SliderCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(StartupTest, WithoutAMixerTheSliderCannotMoveAndNothingIsWritten) {
    mixer.openResult = MMSYSERR_BADDEVICEID;
    Store("Volume", "100");
    Start();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].title, "  Error Opening Volume Mixer");
    EXPECT_EQ(form->vsVolume.Min() | form->vsVolume.Max() | form->vsVolume.Value(), 0);
    EXPECT_TRUE(mixer.writes.empty());
}

TEST_F(StartupTest, TheVolumeFollowsTheThumbWhileItIsDragged) {
    Start();
    mixer.writes.clear();
    auto* bar = static_cast<QScrollBar*>(form->vsVolume.Widget());
    bar->setSliderDown(true);
    for (const int position : {100, 200, 32767}) bar->setSliderPosition(position);
    EXPECT_EQ(mixer.writes, (std::vector<std::uint32_t>{65335, 65135, 0}));
    bar->setSliderDown(false);
    EXPECT_EQ(form->vsVolume.Value(), 32767);
}

}  // namespace
