#include "platform/mci/device_types.h"

#include <algorithm>
#include <array>

#include "platform/mci/tokens.h"

namespace mci {

namespace {

constexpr std::array kTypes = {
    DeviceType{"cdaudio", "Corvala CD Audio", true, false, false, true, false, 0, 1},
    DeviceType{"sequencer", "Corvala MIDI Sequencer", true, false, false, false, true, 0, 1},
    DeviceType{"waveaudio", "Corvala Wave Audio", true, true, true, false, true, 1, 1},
};

}  // namespace

std::span<const DeviceType> InstalledTypes() {
    return kTypes;
}

const DeviceType* FindDeviceType(std::string_view name) {
    const auto found = std::ranges::find_if(
        kTypes, [name](const DeviceType& type) { return EqualsIgnoringCase(type.name, name); });
    return found == kTypes.end() ? nullptr : &*found;
}

}  // namespace mci
