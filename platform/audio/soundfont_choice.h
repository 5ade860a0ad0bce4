#pragma once
// The soundfont the user chose, if any: the command line's, else the settings store's.
#include <filesystem>
#include <optional>

namespace audio {

std::optional<std::filesystem::path> ChosenSoundfont();

}  // namespace audio
