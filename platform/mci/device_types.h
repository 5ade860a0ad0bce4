#pragma once
// The kinds of device this service provides, one row each: what "capability", "info ...
// product" and "sysinfo" answer, and what "open" makes of them.
#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace mci {

struct DeviceType {
    // What an element of this type holds, so "open" knows how to load it.
    enum class Content { Disc, Song, Sound };

    std::string_view name;  // the type word: "cdaudio", "sequencer", "waveaudio"
    std::string_view product;
    Content content;
    std::array<std::string_view, 2> extensions{};  // files opened as this type by extension
    bool canPlay = true;
    bool canRecord = false;  // "open new type <this>" makes a recorder
    bool canSave = false;
    bool canEject = false;
    bool usesFiles = false;    // a compound device: its element is a file
    bool takesBuffer = false;  // "open ... buffer N"
    int inputs = 0;
    int outputs = 1;
};

// In the order "sysinfo all name N" counts them.
std::span<const DeviceType> InstalledTypes();
const DeviceType* FindDeviceType(std::string_view name);  // any letter case; null if none
// The type whose files end in `extension` (".mid", any letter case); null if none.
const DeviceType* DeviceTypeForExtension(std::string_view extension);

}  // namespace mci
