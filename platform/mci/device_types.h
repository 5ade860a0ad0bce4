#pragma once
// The kinds of device this service provides, and what each can do: the answers of
// "capability", "info ... product" and "sysinfo".
#include <optional>
#include <span>
#include <string_view>

namespace mci {

struct DeviceType {
    std::string_view name;  // the type word: "cdaudio", "sequencer", "waveaudio"
    std::string_view product;
    bool canPlay;
    bool canRecord;
    bool canSave;
    bool canEject;
    bool usesFiles;  // a compound device: its element is a file
    int inputs;
    int outputs;
};

// In the order "sysinfo all name N" counts them.
std::span<const DeviceType> InstalledTypes();
const DeviceType* FindDeviceType(std::string_view name);  // any letter case; null if none

}  // namespace mci
