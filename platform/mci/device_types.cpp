#include "platform/mci/device_types.h"

#include <algorithm>

#include "platform/mci/tokens.h"

namespace mci {

namespace {

using enum DeviceType::Content;

constexpr std::array kTypes = {
    DeviceType{.name = "cdaudio", .product = "Corvala CD Audio", .content = Disc, .canEject = true},
    DeviceType{.name = "sequencer",
               .product = "Corvala MIDI Sequencer",
               .content = Song,
               .extensions = {".mid", ".rmi"},
               .usesFiles = true},
    DeviceType{.name = "waveaudio",
               .product = "Corvala Wave Audio",
               .content = Sound,
               .extensions = {".wav"},
               .canRecord = true,
               .canSave = true,
               .usesFiles = true,
               .takesBuffer = true,
               .inputs = 1},
};

const DeviceType* findIf(auto matches) {
    const auto found = std::ranges::find_if(kTypes, matches);
    return found == kTypes.end() ? nullptr : &*found;
}

}  // namespace

std::span<const DeviceType> InstalledTypes() {
    return kTypes;
}

const DeviceType* FindDeviceType(std::string_view name) {
    return findIf([name](const DeviceType& type) { return EqualsIgnoringCase(type.name, name); });
}

const DeviceType* DeviceTypeForExtension(std::string_view extension) {
    return findIf([extension](const DeviceType& type) {
        return !extension.empty() &&
               std::ranges::any_of(type.extensions, [&](std::string_view own) {
                   return EqualsIgnoringCase(own, extension);
               });
    });
}

}  // namespace mci
