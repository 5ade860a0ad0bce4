// The volume slider: the mixer's System volume, loud at the top and silent at the bottom.
// A mixer whose maximum exceeds the slider's 16 bits is worked on a reduced scale,
// f = 32767 / maximum in single precision; a position p then means the level (32767 - p) / f.
//
// Two kinds of mixer would not work that way, and get a mirrored slider instead, whose top
// (Min) means the mixer's maximum and whose bottom (Max) its minimum: a maximum between 0 and
// 32767 (p would mean 32767 - p, above the maximum wherever p < 32767 - maximum, so the slider
// would be stuck at full volume, and the level read at start-up would not fit the range), and a
// negative minimum (32767 - p leaves 16 bits for every p < 0). Both the level and the position
// are then Max + Min - the other, which for a 0..32767 mixer is the same 32767 - p. The
// arithmetic is 32-bit throughout, so no position overflows; the mixer clamps what it is given.
#include <cmath>

#include "main_window/frm_main.h"
#include "main_window/guarded.h"
#include "media/cmci_adv.h"

namespace {

constexpr std::int32_t kSliderTop = 32767;

float ScaleFactor(std::int32_t maximum) {
    return static_cast<float>(static_cast<double>(kSliderTop) / maximum);
}

// The number a position is subtracted from to give the (scaled) level.
std::int32_t MirrorOf(std::int32_t minimum, std::int32_t maximum, float f) {
    const bool mirrored = minimum < 0 || (maximum > 0 && maximum < kSliderTop);
    if (!mirrored) return kSliderTop;
    return static_cast<std::int32_t>(std::nearbyint(f * static_cast<double>(maximum)) +
                                     std::nearbyint(f * static_cast<double>(minimum)));
}

}  // namespace

void frmMain::PrepareVolumeSlider() {
    std::int32_t maximum = 0;
    std::int32_t minimum = 0;
    Guarded([&] { maximum = Mci().MCIa_VolumeSystem_Max(); });
    Guarded([&] { minimum = Mci().MCIa_VolumeSystem_Min(); });
    const bool scaled = maximum > kSliderTop;
    const float f = scaled ? ScaleFactor(maximum) : 1.0F;
    const std::int32_t mirror = MirrorOf(minimum, maximum, f);
    Guarded([&] { vsVolume.Min(CInt(f * static_cast<double>(minimum))); });
    Guarded([&] { vsVolume.Max(CInt(f * static_cast<double>(maximum))); });
    Guarded([&] {
        vsVolume.Value(CInt(mirror - CLng(f * static_cast<double>(Mci().MCIa_VolumeSystem()))));
    });
    Guarded([&] { vsVolume.SmallChange(CInt(static_cast<float>(vsVolume.Max()) / 20.0F)); });
    Guarded([&] { vsVolume.LargeChange(CInt(static_cast<float>(vsVolume.Max()) / 10.0F)); });
}

void frmMain::vsVolume_Change() {
    if (!mci_) return;  // no media object, no mixer to set
    const std::int32_t maximum = Mci().MCIa_VolumeSystem_Max();
    const std::int32_t minimum = Mci().MCIa_VolumeSystem_Min();
    if (maximum <= kSliderTop) {
        Mci().MCIa_VolumeSystem(MirrorOf(minimum, maximum, 1.0F) - vsVolume.Value());
        return;
    }
    const float f = ScaleFactor(maximum);
    // A single-precision difference, divided in double precision: the level found at start-up
    // then comes back as 32769 at a slider of 16383 (a float quotient would round to 32768).
    const auto difference = static_cast<float>(MirrorOf(minimum, maximum, f) - vsVolume.Value());
    Mci().MCIa_VolumeSystem(CLng(static_cast<double>(difference) / f));
}
