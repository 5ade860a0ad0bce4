// The mixer functions, called as the media class calls them and with a caller's mistakes.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <optional>

#include "platform/audio/engine.h"
#include "platform/mixer/mixer_levels.h"
#include "platform/multimedia.h"
#include "tests/mci/service_fixture.h"

namespace {

constexpr std::uint32_t kProgramControlSize = 152;  // the program's record: 148 and 4 spare

class Mixer : public mci_test::ServiceTest {
  protected:
    void SetUp() override { ASSERT_EQ(mixerOpen(&handle, 0, 0, 0, 0), MMSYSERR_NOERROR); }
    void TearDown() override { mixerClose(handle); }

    // The lookup as the program does it; returns the result of the last call.
    std::uint32_t FindVolume(std::uint32_t componentType, MIXERCONTROLA& control) {
        MIXERLINEA line{};
        line.cbStruct = sizeof line;
        line.dwComponentType = componentType;
        const std::uint32_t found =
            mixerGetLineInfoA(handle, &line, MIXER_GETLINEINFOF_COMPONENTTYPE);
        if (found != MMSYSERR_NOERROR) return found;
        std::array<std::byte, kProgramControlSize> scratch{};
        MIXERLINECONTROLSA controls{kMixerLineControlsSize,
                                    line.dwLineID,
                                    MIXERCONTROL_CONTROLTYPE_VOLUME,
                                    1,
                                    kProgramControlSize,
                                    reinterpret_cast<MIXERCONTROLA*>(scratch.data())};
        const std::uint32_t result =
            mixerGetLineControlsA(handle, &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE);
        EXPECT_EQ(scratch[148], std::byte{0}) << "the spare bytes stay untouched";
        std::memcpy(&control, scratch.data(), sizeof control);
        return result;
    }

    std::uint32_t Get(std::uint32_t controlId, std::uint32_t& value) {
        MIXERCONTROLDETAILS details{kMixerControlDetailsSize, controlId, 1, 0, 4, &value};
        return mixerGetControlDetailsA(handle, &details, MIXER_GETCONTROLDETAILSF_VALUE);
    }

    std::uint32_t Set(std::uint32_t controlId, std::uint32_t value) {
        MIXERCONTROLDETAILS details{kMixerControlDetailsSize, controlId, 1, 0, 4, &value};
        return mixerSetControlDetails(handle, &details, MIXER_SETCONTROLDETAILSF_VALUE);
    }

    HMIXER handle = 0;
};

TEST_F(Mixer, EachLineHasOneVolumeThatDrivesItsEngineGain) {
    for (const auto& [type, engineLine] :
         {std::pair{MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, audio::Line::Master},
          {MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, audio::Line::Wave},
          {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, audio::Line::Midi},
          {MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, audio::Line::Cd}}) {
        MIXERCONTROLA control{};
        ASSERT_EQ(FindVolume(type, control), MMSYSERR_NOERROR);
        EXPECT_EQ(control.Bounds.lMaximum, 65535);
        for (const auto& [written, read] :
             {std::pair{32768u, 32768u}, {70000u, 65535u}, {0u, 0u}}) {
            EXPECT_EQ(Set(control.dwControlID, written), MMSYSERR_NOERROR);
            std::uint32_t value = 12345;
            EXPECT_EQ(Get(control.dwControlID, value), MMSYSERR_NOERROR);
            EXPECT_EQ(value, read) << type << ": " << written;
            EXPECT_NEAR(audio::Engine::Shared().LineGain(engineLine), read / 65535.0, 1e-4);
        }
    }
}

// The other ways a caller may find a line or a control, and a caller's mistakes.
TEST_F(Mixer, LinesAndControlsAreFoundEveryWayAndMistakesAreRefused) {
    constexpr std::uint32_t byDestination = 0, bySource = 1, byLineId = 2, byHandle = 0x80000000;
    constexpr std::uint32_t allControls = 0, controlById = 1;
    MIXERCONTROLA wave{};
    ASSERT_EQ(FindVolume(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, wave), 0u);
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    const auto lineInfo = [&](std::uint32_t flags, std::uint32_t destination,
                              std::uint32_t source) {
        line.dwDestination = destination;
        line.dwSource = source;
        return mixerGetLineInfoA(handle, &line, flags);
    };
    EXPECT_EQ(lineInfo(byDestination | byHandle, 0, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(line.dwComponentType, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
    const std::uint32_t sources = line.cConnections;
    EXPECT_EQ(lineInfo(byDestination, 1, 0), MIXERR_INVALLINE);
    EXPECT_EQ(lineInfo(bySource, 0, sources - 1), MMSYSERR_NOERROR);
    EXPECT_EQ(lineInfo(bySource, 0, sources), MIXERR_INVALLINE);
    EXPECT_EQ(lineInfo(byLineId, 0, 0), MMSYSERR_NOERROR) << "the last source's own line";
    EXPECT_EQ(lineInfo(4, 0, 0), MMSYSERR_INVALFLAG);
    EXPECT_EQ(lineInfo(0x40000000, 0, 0), MMSYSERR_INVALFLAG);
    EXPECT_EQ(mixerGetLineInfoA(handle + 100, &line, byHandle), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(mixerGetLineInfoA(handle + 100, &line, 0), MMSYSERR_BADDEVICEID);

    MIXERCONTROLA control{};
    MIXERLINECONTROLSA controls{kMixerLineControlsSize, 0,       wave.dwControlID, 1,
                                sizeof control,         &control};
    EXPECT_EQ(mixerGetLineControlsA(handle, &controls, controlById), MMSYSERR_NOERROR);
    EXPECT_EQ(control.dwControlID, wave.dwControlID);
    EXPECT_EQ(mixerGetLineControlsA(handle, &controls, allControls), MMSYSERR_NOERROR);
    controls.cControls = 2;
    EXPECT_EQ(mixerGetLineControlsA(handle, &controls, allControls), MMSYSERR_INVALPARAM);
    controls.dwControlType = 0xFFFF;
    EXPECT_EQ(mixerGetLineControlsA(handle, &controls, controlById), MIXERR_INVALCONTROL);
    EXPECT_EQ(mixerGetLineControlsA(handle, &controls, 3), MMSYSERR_INVALFLAG);
    controls.cbmxctrl = 4;
    EXPECT_EQ(mixerGetLineControlsA(handle, &controls, controlById), MMSYSERR_INVALPARAM);

    HMIXER other = 0;
    EXPECT_EQ(mixerOpen(&other, 1, 0, 0, 0), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(mixerOpen(&other, 0, 0, 0, 1), MMSYSERR_INVALFLAG);
    EXPECT_EQ(mixerOpen(nullptr, 0, 0, 0, 0), MMSYSERR_INVALPARAM);
    EXPECT_EQ(mixerClose(handle + 100), MMSYSERR_INVALHANDLE);
}

// Stands in for the machine's master volume, so the test leaves the real one alone.
struct MachineStandIn : mixer::MachineVolume {
    bool Available() const override { return available; }
    std::optional<double> Level() override { return level; }
    void SetLevel(double value) override { level = value; }
    bool available = true;
    double level = 0.5;
};

// The speakers level goes to exactly one place: halving it twice would make half a quarter.
TEST_F(Mixer, TheSpeakersLevelIsAppliedOnceWhereverItGoes) {
    for (const bool machineHasMaster : {true, false}) {
        MachineStandIn machine;
        machine.available = machineHasMaster;
        mixer::UseMachineVolume(&machine);
        mixer::FollowMachineVolume(true);
        audio::Engine::Shared().SetLineGain(audio::Line::Master, 1.0F);
        MIXERCONTROLA control{};
        ASSERT_EQ(FindVolume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, control), 0u);

        ASSERT_EQ(Set(control.dwControlID, 32768), 0u);
        std::uint32_t value = 0;
        ASSERT_EQ(Get(control.dwControlID, value), 0u);
        mixer::FollowMachineVolume(false);
        mixer::UseMachineVolume(nullptr);

        EXPECT_EQ(value, 32768u) << machineHasMaster;
        const float engineGain = audio::Engine::Shared().LineGain(audio::Line::Master);
        if (machineHasMaster) {
            EXPECT_NEAR(machine.level, 32768 / 65535.0, 1e-9);
            EXPECT_EQ(engineGain, 1.0F) << "the engine leaves the level to the machine";
        } else {
            EXPECT_EQ(machine.level, 0.5) << "a machine without Master is not touched";
            EXPECT_NEAR(engineGain, 32768 / 65535.0, 1e-4);
        }
    }
}

}  // namespace
