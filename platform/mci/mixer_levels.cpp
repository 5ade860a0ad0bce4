#include "platform/mci/mixer_levels.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>

#include "platform/audio/engine.h"
#include "platform/mci/alsa_master.h"

namespace mixer {

namespace {

struct MachineVolume {
    std::mutex mutex;
    bool follow = true;
    std::optional<AlsaMaster> alsa;  // opened on first use

    AlsaMaster* Get() {
        if (!follow) return nullptr;
        if (!alsa) alsa.emplace();
        return alsa->Available() ? &*alsa : nullptr;
    }
};

MachineVolume& machineVolume() {
    static MachineVolume volume;
    return volume;
}

std::uint32_t toFader(double fraction) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(fraction, 0.0, 1.0) * kVolumeMaximum));
}

}  // namespace

std::uint32_t ReadLevel(const LineInfo& line) {
    if (line.engineLine == audio::Line::Master) {
        MachineVolume& machine = machineVolume();
        std::lock_guard lock(machine.mutex);
        if (AlsaMaster* alsa = machine.Get())
            if (const auto level = alsa->Level()) return toFader(*level);
    }
    return toFader(audio::Engine::Shared().LineGain(line.engineLine));
}

void WriteLevel(const LineInfo& line, std::uint32_t value) {
    const double fraction =
        static_cast<double>(std::min<std::uint32_t>(value, kVolumeMaximum)) / kVolumeMaximum;
    audio::Engine::Shared().SetLineGain(line.engineLine, static_cast<float>(fraction));
    if (line.engineLine != audio::Line::Master) return;
    MachineVolume& machine = machineVolume();
    std::lock_guard lock(machine.mutex);
    if (AlsaMaster* alsa = machine.Get()) alsa->SetLevel(fraction);
}

void FollowMachineVolume(bool follow) {
    MachineVolume& machine = machineVolume();
    std::lock_guard lock(machine.mutex);
    machine.follow = follow;
}

}  // namespace mixer
