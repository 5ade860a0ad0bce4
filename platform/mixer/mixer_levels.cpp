#include "platform/mixer/mixer_levels.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>

#include "platform/audio/engine.h"
#include "platform/mixer/alsa_master.h"

namespace mixer {

namespace {

struct MachineVolumes {
    std::mutex mutex;
    bool follow = true;
    std::optional<AlsaMaster> alsa;  // opened on first use
    MachineVolume* standIn = nullptr;

    MachineVolume* Get() {
        if (!follow) return nullptr;
        MachineVolume* volume = standIn;
        if (volume == nullptr) {
            // Only the sound card's output reaches the machine's speakers; the silent and
            // offline outputs keep their level in the engine.
            if (audio::Engine::Shared().SinkName() != "sdl") return nullptr;
            if (!alsa) alsa.emplace();
            volume = &*alsa;
        }
        return volume->Available() ? volume : nullptr;
    }
};

MachineVolumes& machineVolume() {
    static MachineVolumes volume;
    return volume;
}

std::uint32_t toFader(double fraction) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(fraction, 0.0, 1.0) * kVolumeMaximum));
}

}  // namespace

std::uint32_t ReadLevel(const LineInfo& line) {
    if (line.engineLine == audio::Line::Master) {
        MachineVolumes& machine = machineVolume();
        std::lock_guard lock(machine.mutex);
        if (MachineVolume* volume = machine.Get())
            if (const auto level = volume->Level()) return toFader(*level);
    }
    return toFader(audio::Engine::Shared().LineGain(line.engineLine));
}

void WriteLevel(const LineInfo& line, std::uint32_t value) {
    const double fraction =
        static_cast<double>(std::min<std::uint32_t>(value, kVolumeMaximum)) / kVolumeMaximum;
    if (line.engineLine == audio::Line::Master) {
        MachineVolumes& machine = machineVolume();
        std::lock_guard lock(machine.mutex);
        if (MachineVolume* volume = machine.Get()) {
            volume->SetLevel(fraction);
            return;
        }
    }
    audio::Engine::Shared().SetLineGain(line.engineLine, static_cast<float>(fraction));
}

void FollowMachineVolume(bool follow) {
    MachineVolumes& machine = machineVolume();
    std::lock_guard lock(machine.mutex);
    machine.follow = follow;
}

void UseMachineVolume(MachineVolume* standIn) {
    MachineVolumes& machine = machineVolume();
    std::lock_guard lock(machine.mutex);
    machine.standIn = standIn;
}

}  // namespace mixer
